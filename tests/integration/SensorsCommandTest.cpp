// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SMC.h"
#include "app/sampling/ThermalReader.h"
#include "platform/linux/HwmonSmc.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

// The hottest CPU temperature lm-sensors reports, from its JSON output; nothing when it finds
// no CPU sensor chip.
std::optional<double> sensorsCpuTemperature()
{
    if (QStandardPaths::findExecutable(QStringLiteral("sensors")).isEmpty())
        return std::nullopt;
    QProcess sensors;
    sensors.start(QStringLiteral("sensors"), {QStringLiteral("-j")});
    if (!sensors.waitForFinished(10000) || sensors.exitCode() != 0)
        return std::nullopt;
    const QJsonObject chips = QJsonDocument::fromJson(sensors.readAllStandardOutput()).object();
    std::optional<double> hottest;
    for (auto chip = chips.begin(); chip != chips.end(); ++chip) {
        const QString name = chip.key();
        if (!name.startsWith(QLatin1String("coretemp-")) &&
            !name.startsWith(QLatin1String("k10temp-")) &&
            !name.startsWith(QLatin1String("zenpower-")) &&
            !name.startsWith(QLatin1String("cpu_thermal-")))
            continue;
        const QJsonObject features = chip.value().toObject();
        for (auto feature = features.begin(); feature != features.end(); ++feature) {
            const QJsonObject values = feature.value().toObject();
            for (auto value = values.begin(); value != values.end(); ++value) {
                if (!value.key().startsWith(QLatin1String("temp")) ||
                    !value.key().endsWith(QLatin1String("_input")))
                    continue;
                const double c = value.value().toDouble();
                if (!hottest || c > *hottest)
                    hottest = c;
            }
        }
    }
    return hottest;
}

} // namespace

TEST(SensorsCommand, cpuTemperatureAgreesWithLmSensors)
{
    const std::optional<double> expected = sensorsCpuTemperature();
    if (!expected)
        GTEST_SKIP() << "lm-sensors finds no CPU sensor on this machine";
    SMC smc(std::make_unique<HwmonSmc>());
    const ThermalSample thermal = ThermalReader::read(smc);
    ASSERT_TRUE(thermal.cpuC);
    EXPECT_NEAR(*thermal.cpuC, *expected, 2.0);
}

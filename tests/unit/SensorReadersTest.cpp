// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/FanReader.h"
#include "app/sampling/SMC.h"
#include "app/sampling/SmcSensors.h"
#include "app/sampling/ThermalReader.h"
#include "platform/linux/HwmonSmc.h"
#include "platform/sim/SimulatedSmc.h"

#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

SMC smcOver(std::function<void(SimulatedSmc&)> stage)
{
    auto device = std::make_unique<SimulatedSmc>();
    stage(*device);
    return SMC(std::move(device));
}

} // namespace

TEST(ThermalReader, eachGroupTakesItsHottestAnsweringKey)
{
    SMC smc = smcOver([](SimulatedSmc& d) {
        d.setFloat(QStringLiteral("Tp09"), 61.5f); // the only CPU key
        d.setFloat(QStringLiteral("Tg0D"), 40.0f);
        d.setFloat(QStringLiteral("Tg0f"), 44.0f);
        d.setFloat(QStringLiteral("Ts1P"), 0.0f);  // a zero reading counts
        d.setFloat(QStringLiteral("TB0T"), -1.0f); // negative: the two-byte fallback, 0
    });
    const ThermalSample t = ThermalReader::read(smc);
    EXPECT_EQ(t.cpuC, 61.5);
    EXPECT_EQ(t.gpuC, 44.0);
    EXPECT_EQ(t.surfaceC, 0.0);
    EXPECT_EQ(t.batteryC, 0.0);
}

TEST(ThermalReader, machineWithoutControllerGivesAllAbsent)
{
    SMC smc = smcOver([](SimulatedSmc& d) {
        d.setFloat(QStringLiteral("Tp01"), 50.0f);
        d.setAvailable(false);
    });
    EXPECT_EQ(ThermalReader::read(smc), ThermalSample{});
    EXPECT_TRUE(FanReader::readFanSpeeds(smc).isEmpty());
}

TEST(FanReader, skipsASilentFanWithoutStopping)
{
    SMC smc = smcOver([](SimulatedSmc& d) {
        d.setFloat(QStringLiteral("F0Ac"), 1200.0f);
        d.setFloat(QStringLiteral("F2Ac"), 1800.0f);
        d.setFloat(QStringLiteral("F9Ac"), 900.0f);
    });
    EXPECT_EQ(FanReader::readFanSpeeds(smc), (QList<double>{1200.0, 1800.0, 900.0}));
}

TEST(SmcSensors, warmHeavyPassCostsOneCallPerAnsweringKey)
{
    auto owned = std::make_unique<SimulatedSmc>();
    SimulatedSmc& device = *owned;
    device.addFans(2, 1000, 5000, 2000);
    device.setFloat(QStringLiteral("Tp01"), 50.0f);
    SmcSensors sensors(std::make_unique<SMC>(std::move(owned)));
    sensors.readFanSpeeds();
    sensors.readTemperatures();
    const int cold = device.callCount();
    sensors.readFanSpeeds();
    sensors.readTemperatures();
    EXPECT_EQ(device.callCount() - cold, 3); // F0Ac, F1Ac, Tp01; the missing keys are remembered
}

TEST(SmcSensors, laptopFixtureThroughTheWholeChain)
{
    FixtureTree tree(QStringLiteral("sensors/laptop"));
    SmcSensors sensors(std::make_unique<SMC>(std::make_unique<HwmonSmc>(tree.root())));
    const ThermalSample t = sensors.readTemperatures();
    EXPECT_EQ(t.cpuC, 52.0);
    EXPECT_EQ(t.gpuC, std::nullopt);
    EXPECT_NEAR(*t.batteryC, 30.1, 1e-4);
    EXPECT_EQ(t.surfaceC, 45.0); // the hotter of skin (38.5) and acpitz (45)
    EXPECT_EQ(sensors.readFanSpeeds(), QList<double>{2400.0});

    // Re-read from the open files: a new value shows on the next pass.
    tree.write(QStringLiteral("sys/class/hwmon/hwmon2/temp2_input"), "71000\n");
    EXPECT_EQ(sensors.readTemperatures().cpuC, 71.0);
}

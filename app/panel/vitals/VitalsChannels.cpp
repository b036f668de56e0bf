// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsChannels.h"

#include "app/analysis/HistoryStore.h"
#include "app/analysis/HistoryWindowState.h"
#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/PanelServices.h"
#include "app/panel/VitalsTheme.h"
#include "app/settings/SettingsManager.h"

#include <cmath>

namespace corvanite::VitalsChannels {

namespace {

const QString kPercent = QStringLiteral("%");
const QString kNone = QStringLiteral("—");

int rounded(double v)
{
    return static_cast<int>(std::lround(v));
}

// Slots only for the long windows; the live window draws the short samples.
std::optional<QList<std::optional<double>>>
slotsOf(const PanelServices& services, const HistorySeries& (HistoryStore::*series)() const)
{
    if (!services.history || !services.historyWindow)
        return std::nullopt;
    const HistoryWindow window = services.historyWindow->window();
    if (window == HistoryWindow::Live)
        return std::nullopt;
    return services.history->slots((services.history->*series)(), window);
}

QString cpuPeak(const QList<double>& perCore)
{
    if (perCore.isEmpty())
        return kNone;
    qsizetype first = 0;
    for (qsizetype i = 1; i < perCore.size(); ++i) {
        if (rounded(perCore[i]) > rounded(perCore[first]))
            first = i;
    }
    return L(QStringLiteral("vitals.cpuPeak"),
             {static_cast<int>(first + 1), rounded(perCore[first])});
}

QString optionalPercent(std::optional<double> v)
{
    return v ? QString::number(rounded(*v)) : kNone;
}

} // namespace

QString networkUnit(double bps)
{
    if (bps >= 1'000'000)
        return QStringLiteral("MB/S");
    if (bps >= 1000)
        return QStringLiteral("KB/S");
    return QStringLiteral("B/S");
}

QString networkReading(double bps)
{
    if (bps >= 1'000'000)
        return QString::asprintf("%.1f", bps / 1'000'000);
    if (bps >= 1000)
        return QString::asprintf("%.0f", bps / 1000);
    return QString::asprintf("%.0f", std::max(0.0, bps));
}

QString fanSpeeds(const QList<double>& rpms)
{
    QStringList parts;
    for (const double rpm : rpms)
        parts.append(QString::number(std::llround(rpm)));
    return parts.join(QLatin1Char('/'));
}

PanelReadings::Parts parts(Kind kind)
{
    switch (kind) {
    case Kind::Cpu:
        return PanelReadings::Part::Cpu;
    case Kind::Gpu:
        return PanelReadings::Part::Gpu;
    case Kind::Memory:
        return PanelReadings::Part::Memory;
    case Kind::Network:
        return PanelReadings::Part::Network;
    case Kind::Temperature:
        // The detail line names the fans or the GPU's temperature, read with the rest.
        return PanelReadings::Part::Thermal;
    }
    return {};
}

VitalsChannel build(Kind kind, const PanelReadings::Values& v, const PanelServices& services)
{
    const SettingsManager& settings = *services.settings;
    VitalsChannel c;
    switch (kind) {
    case Kind::Cpu:
        c.title = L(QStringLiteral("vitals.channel.cpu"));
        c.subtitle = L(QStringLiteral("vitals.channel.cpuLoad"));
        c.color = VitalsTheme::ecg;
        c.values = v.cpuHistory;
        c.slots = slotsOf(services, &HistoryStore::cpu);
        c.maxValue = 100;
        c.reading = QString::number(rounded(v.cpu.total));
        c.readingUnit = kPercent;
        c.detail = cpuPeak(v.cpu.perCore);
        c.isAlarm = v.cpu.total >= settings.cpuAlarmThreshold();
        break;
    case Kind::Gpu: {
        const GPUSample gpu = v.gpu.value_or(GPUSample{});
        c.title = L(QStringLiteral("vitals.channel.gpu"));
        c.subtitle = L(QStringLiteral("vitals.channel.gpuUtil"));
        c.color = VitalsTheme::gpu;
        c.values = v.gpuHistory;
        c.maxValue = 100;
        c.reading = QString::number(rounded(gpu.deviceUtil));
        c.readingUnit = kPercent;
        c.detail = L(QStringLiteral("vitals.engineDetail"),
                     {optionalPercent(gpu.rendererUtil), optionalPercent(gpu.tilerUtil)});
        c.isAlarm = v.gpu.has_value() && gpu.deviceUtil >= VitalsTheme::gpuAlarm;
        break;
    }
    case Kind::Memory: {
        const double percent = v.memory.usageFraction() * 100;
        c.title = L(QStringLiteral("vitals.channel.memory"));
        c.subtitle = L(QStringLiteral("vitals.channel.memoryUsed"));
        c.color = VitalsTheme::spo2;
        c.values = v.memHistory;
        c.slots = slotsOf(services, &HistoryStore::mem);
        c.maxValue = 100;
        c.reading = QString::number(rounded(percent));
        c.readingUnit = kPercent;
        c.detail = L(QStringLiteral("vitals.memory.detail"),
                     {Format::byteString(v.memory.used()), Format::byteString(v.memory.total)});
        c.isAlarm = percent >= settings.memAlarmThreshold();
        break;
    }
    case Kind::Network:
        c.title = L(QStringLiteral("vitals.channel.networkDown"));
        c.subtitle = networkUnit(v.network.downBps);
        c.color = VitalsTheme::resp;
        c.values = v.downHistory;
        c.reading = networkReading(v.network.downBps);
        c.detail =
            L(QStringLiteral("vitals.network.upload"), {Format::speedString(v.network.upBps)});
        break;
    case Kind::Temperature: {
        const std::optional<double> cpuC = v.thermal.cpuC;
        const TempUnit unit = settings.tempUnit();
        c.title = L(QStringLiteral("vitals.channel.temperature"));
        c.subtitle =
            L(unit == TempUnit::Fahrenheit ? QStringLiteral("vitals.temperature.cpu.fahrenheit")
                                           : QStringLiteral("vitals.temperature.cpu.celsius"));
        c.color = VitalsTheme::art;
        c.values = v.tempHistory;
        c.slots = slotsOf(services, &HistoryStore::temp);
        c.maxValue = 110;
        c.reading = cpuC ? QString::number(display(unit, *cpuC)) : kNone;
        c.readingUnit = QStringLiteral("°");
        if (!v.fans.isEmpty())
            c.detail = L(QStringLiteral("vitals.fan"), {fanSpeeds(v.fans)});
        else if (v.thermal.gpuC)
            c.detail = L(QStringLiteral("vitals.gpuTemperature"), {rounded(*v.thermal.gpuC)});
        else
            c.detail = L(QStringLiteral("vitals.noFan"));
        // The threshold is in degrees Celsius whatever the display unit.
        c.isAlarm = cpuC.value_or(0) >= settings.tempAlarmThreshold();
        break;
    }
    }
    return c;
}

} // namespace corvanite::VitalsChannels

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/PressureLevel.h"

namespace corvanite {

QString pressureLevelName(PressureLevel level)
{
    switch (level) {
    case PressureLevel::Normal:
        return QStringLiteral("normal");
    case PressureLevel::Warning:
        return QStringLiteral("warning");
    case PressureLevel::Critical:
        return QStringLiteral("critical");
    }
    return QStringLiteral("normal");
}

std::optional<PressureLevel> pressureLevelFor(const PressureReading& reading)
{
    std::optional<double> availablePercent;
    if (reading.availableBytes && reading.totalBytes && *reading.totalBytes > 0)
        availablePercent = double(*reading.availableBytes) * 100.0 / double(*reading.totalBytes);
    if (!availablePercent && !reading.someAvg10 && !reading.fullAvg10)
        return std::nullopt;

    const auto atLeast = [](const std::optional<double>& v, double limit) {
        return v && *v >= limit;
    };
    const auto below = [](const std::optional<double>& v, double limit) { return v && *v < limit; };
    if (atLeast(reading.fullAvg10, 10.0) || below(availablePercent, 5.0))
        return PressureLevel::Critical;
    if (atLeast(reading.someAvg10, 10.0) || below(availablePercent, 10.0))
        return PressureLevel::Warning;
    return PressureLevel::Normal;
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/MonitorLog.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvanite::MonitorLog {

QString sampleDuration(double milliseconds, bool scanProcesses)
{
    return QStringLiteral("Sample duration: ") + QString::number(milliseconds, 'f', 1) +
           QStringLiteral("ms (scanProcesses=") +
           (scanProcesses ? QStringLiteral("true") : QStringLiteral("false")) + QLatin1Char(')');
}

QString tick(qint64 tickCount, double cpuTotal, qsizetype processCount, double downBps)
{
    // Truncated to a whole number; clamped so an absurd reading cannot overflow the conversion.
    const double whole = std::trunc(std::isfinite(downBps) ? downBps : 0.0);
    const double limit = static_cast<double>(std::numeric_limits<qint64>::max() / 2);
    const auto down = static_cast<qint64>(std::clamp(whole, -limit, limit));
    return QStringLiteral("tick #") + QString::number(tickCount) + QStringLiteral(" cpu=") +
           QString::number(cpuTotal, 'f', 1) + QStringLiteral("% processes=") +
           QString::number(processCount) + QStringLiteral(" NET↓=") + QString::number(down) +
           QStringLiteral("B/s");
}

bool logsDuration(qint64 cycle)
{
    return cycle % 30 == 1;
}

bool logsTick(qint64 tickCount)
{
    return tickCount < 6 || tickCount % 50 == 0;
}

} // namespace corvanite::MonitorLog

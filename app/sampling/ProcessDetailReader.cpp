// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessDetailReader.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"

#include <cmath>

namespace corvanite::ProcessDetailReader {

std::optional<ProcessDetail> read(const ProcessInfo& info, qint32 pid, const QString& fallbackName)
{
    const std::optional<ProcessStatus> s = info.status(pid);
    if (!s)
        return std::nullopt;
    QString path = info.executablePath(pid);
    if (path.isEmpty())
        path = QStringLiteral("—");
    return ProcessDetail{pid,
                         fallbackName,
                         path,
                         s->residentBytes,
                         s->virtualBytes,
                         s->userNs,
                         s->systemNs,
                         s->threadCount,
                         s->startInstant - kUnixToAbsolute,
                         s->parentPid,
                         s->startTicks,
                         s->zombie,
                         s->kernelThread};
}

std::optional<quint64> startTime(const ProcessInfo& info, qint32 pid)
{
    return info.startTime(pid);
}

QString cpuTimeString(quint64 nanoseconds)
{
    const double seconds = static_cast<double>(nanoseconds) / 1e9;
    if (seconds < 60.0)
        return L(QStringLiteral("format.duration.seconds"), {seconds});
    if (seconds < 3600.0)
        return L(QStringLiteral("format.duration.minSec"),
                 {seconds / 60.0, std::fmod(seconds, 60.0)});
    return L(QStringLiteral("format.duration.hourMin"),
             {Format::saturatingTruncate(seconds / 3600.0),
              Format::saturatingTruncate(std::fmod(seconds, 3600.0) / 60.0)});
}

QString relativeTime(std::optional<double> absoluteInstant, const Clock& clock)
{
    if (!absoluteInstant)
        return QStringLiteral("—");
    const double elapsed = clock.now() - *absoluteInstant;
    if (std::isnan(elapsed))
        return QStringLiteral("—");
    if (elapsed < 60.0)
        return L(QStringLiteral("format.relative.justNow"));
    if (elapsed < 3600.0)
        return L(QStringLiteral("format.relative.minutesAgo"),
                 {Format::saturatingTruncate(elapsed / 60.0)});
    if (elapsed < 86400.0)
        return L(QStringLiteral("format.relative.hoursAgo"),
                 {Format::saturatingTruncate(elapsed / 3600.0)});
    return L(QStringLiteral("format.relative.daysAgo"),
             {Format::saturatingTruncate(elapsed / 86400.0)});
}

} // namespace corvanite::ProcessDetailReader

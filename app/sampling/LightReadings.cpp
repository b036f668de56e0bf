// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/LightReadings.h"

#include <algorithm>
#include <limits>

namespace corvanite {

namespace {

quint64 bytesCapped(quint64 pages, quint64 pageSize, quint64 cap)
{
    if (pageSize != 0 && pages > cap / pageSize)
        return cap;
    return std::min(pages * pageSize, cap);
}

quint64 bytesSaturated(quint64 pages, quint64 pageSize)
{
    return bytesCapped(pages, pageSize, std::numeric_limits<quint64>::max());
}

} // namespace

double tickDelta(quint64 current, quint64 previous)
{
    return current >= previous ? static_cast<double>(current - previous) : 0.0;
}

double cpuUsage(const CpuTicks& previous, const CpuTicks& current)
{
    const double user = tickDelta(current.user, previous.user);
    const double system = tickDelta(current.system, previous.system);
    const double idle = tickDelta(current.idle, previous.idle);
    const double nice = tickDelta(current.nice, previous.nice);
    const double busy = user + system + nice;
    const double total = busy + idle;
    if (total <= 0.0)
        return 0.0;
    return std::min(busy / total * 100.0, 100.0);
}

double coreUsage(const CpuTicks& previous, const CpuTicks& current)
{
    return cpuUsage(previous, current);
}

double hostCpuStep(const std::optional<CpuTicks>& reading, std::optional<CpuTicks>& previous)
{
    if (!reading)
        return 0.0;
    const double total = previous ? cpuUsage(*previous, *reading) : 0.0;
    previous = reading;
    return total;
}

QList<double> perCoreUsage(const std::vector<CoreTicks>& previous,
                           const std::vector<CoreTicks>& current)
{
    QList<double> usage;
    if (current.empty() || current.size() != previous.size())
        return usage;
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (current[i].cpu != previous[i].cpu)
            return {};
    }
    usage.reserve(static_cast<qsizetype>(current.size()));
    for (std::size_t i = 0; i < current.size(); ++i)
        usage.append(coreUsage(previous[i].ticks, current[i].ticks));
    return usage;
}

MemorySample memorySample(const VmStatistics& stats, quint64 pageSize, quint64 physicalMemory)
{
    const quint64 total = physicalMemory;
    const quint64 internal = bytesSaturated(stats.internalPageCount, pageSize);
    const quint64 purgeable = bytesSaturated(stats.purgeableCount, pageSize);

    MemorySample sample;
    sample.total = total;
    sample.app = internal > purgeable ? std::min(internal - purgeable, total) : 0;
    sample.wired = bytesCapped(stats.wireCount, pageSize, total);
    sample.compressed = bytesCapped(stats.compressorPageCount, pageSize, total);
    const quint64 cachedPages = stats.purgeableCount > ~quint64(0) - stats.externalPageCount
                                    ? ~quint64(0)
                                    : stats.purgeableCount + stats.externalPageCount;
    sample.cached = bytesCapped(cachedPages, pageSize, total);
    sample.free = bytesCapped(stats.freeCount, pageSize, total);
    return sample;
}

NetSample networkStep(const std::optional<NetworkTotals>& reading,
                      std::optional<NetworkTotals>& previous, double elapsedSeconds)
{
    NetSample rates;
    if (!reading)
        return rates;
    if (previous && elapsedSeconds > kMinRateInterval &&
        previous->interfaceSet == reading->interfaceSet) {
        rates.downBps = tickDelta(reading->received, previous->received) / elapsedSeconds;
        rates.upBps = tickDelta(reading->sent, previous->sent) / elapsedSeconds;
    }
    previous = reading;
    return rates;
}

} // namespace corvanite

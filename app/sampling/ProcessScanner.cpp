// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessScanner.h"

#include "app/sampling/LightReadings.h"

namespace corvanite {

ProcessScanner::Result ProcessScanner::scan(double now, ProcessTable& table)
{
    const double elapsed = m_lastScanTime > 0.0 ? now - m_lastScanTime : 0.0;
    m_lastScanTime = now;

    const std::vector<RawProcess> raw = table.readProcessesRaw(m_nameCache);
    Result result;
    result.processes.reserve(static_cast<qsizetype>(raw.size()));
    result.livePids.reserve(static_cast<qsizetype>(raw.size()));
    for (const RawProcess& process : raw) {
        result.livePids.insert(process.pid);
        double percent = 0.0;
        const auto previous = m_prevCpuTime.constFind(process.pid);
        if (previous != m_prevCpuTime.constEnd() && process.cpuTime >= *previous &&
            elapsed > kMinRateInterval)
            percent = static_cast<double>(process.cpuTime - *previous) / (elapsed * 1e9) * 100.0;
        m_prevCpuTime.insert(process.pid, process.cpuTime);
        result.processes.append(ProcessSample{process.pid, process.name, percent, process.mem});
    }
    m_prevCpuTime.removeIf([&](auto it) { return !result.livePids.contains(it.key()); });
    m_nameCache.removeIf([&](auto it) { return !result.livePids.contains(it.key()); });
    return result;
}

} // namespace corvanite

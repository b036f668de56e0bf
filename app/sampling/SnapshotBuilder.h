// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/ProcessScanner.h"
#include "app/sampling/Samples.h"
#include "app/sampling/SystemSources.h"

#include <optional>
#include <vector>

namespace corvanite {

class Clock;

// What one pass reads besides CPU, memory and network.
struct PassFlags {
    bool scanProcesses = false;
    bool collectTemp = false;
    bool heavySampling = false;
    bool collectAssertions = false;

    bool operator==(const PassFlags&) const = default;
};

// Builds the snapshot of one sampling pass and keeps the reader state between passes (previous
// counters, the heavy-reading cache, the process scanner). Runs on the sampling thread only,
// one pass at a time, so none of its state needs a lock.
class SnapshotBuilder {
public:
    SnapshotBuilder(SystemSources& sources, const Clock& clock);

    // `lastProcesses` is the last scanned table, carried over on passes that do not scan.
    Snapshot build(const PassFlags& flags, const QList<ProcessSample>& lastProcesses);

    const HeavyCache& heavyCache() const { return m_heavyCache; }

private:
    CPUSample readCpu();

    SystemSources& m_sources;
    const Clock& m_clock;
    CpuTicksReading m_cpuReading; // reused: its core vector keeps its storage
    std::optional<CpuTicks> m_prevCPU;
    std::vector<CoreTicks> m_prevPerCore;
    std::optional<NetworkTotals> m_prevNet;
    double m_lastSampleTime = 0.0;
    HeavyCache m_heavyCache;
    ProcessScanner m_scanner;
};

} // namespace corvanite

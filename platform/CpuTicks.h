// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>
#include <vector>

namespace corvanite {

// Cumulative CPU time in clock ticks, in the four classes the usage formula knows. Counters are
// 64-bit and only ever compared pairwise; one that went backwards counts as no activity.
struct CpuTicks {
    quint64 user = 0;
    quint64 system = 0;
    quint64 idle = 0;
    quint64 nice = 0;

    bool operator==(const CpuTicks&) const = default;
};

// One logical processor's counters. `cpu` is the kernel's processor number, so a reading taken
// after a processor went offline or came back is not compared with the wrong core.
struct CoreTicks {
    int cpu = 0;
    CpuTicks ticks;

    bool operator==(const CoreTicks&) const = default;
};

struct CpuTicksReading {
    std::optional<CpuTicks> host; // absent when the counters could not be read
    std::vector<CoreTicks> cores; // kernel order; empty when unreadable
};

// Host and per-core CPU tick counters. Called on the sampling thread only.
class CpuTicksSource {
public:
    virtual ~CpuTicksSource() = default;
    // Fills `into` (its vector's storage is reused between calls).
    virtual void read(CpuTicksReading& into) = 0;
};

} // namespace corvanite

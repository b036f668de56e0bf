// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

namespace corvanite {

// The virtual-memory page counts the memory breakdown is computed from. The categories are
// disjoint: internal pages (anonymous and shared memory), wired kernel pages, compressed pages,
// purgeable and file-backed (external) pages, and free pages.
struct VmStatistics {
    quint64 freeCount = 0;
    quint64 wireCount = 0;
    quint64 purgeableCount = 0;
    quint64 compressorPageCount = 0;
    quint64 externalPageCount = 0;
    quint64 internalPageCount = 0;

    bool operator==(const VmStatistics&) const = default;
};

struct MemoryStats {
    VmStatistics vm;
    quint64 pageSize = 0;       // bytes
    quint64 physicalMemory = 0; // bytes
    // What the kernel deems available for new work without swapping, when it says.
    std::optional<quint64> availableBytes;

    bool operator==(const MemoryStats&) const = default;
};

// Called on the sampling thread only.
class MemoryStatsSource {
public:
    virtual ~MemoryStatsSource() = default;
    // Absent when the statistics cannot be read.
    virtual std::optional<MemoryStats> readMemoryStats() = 0;
};

} // namespace corvanite

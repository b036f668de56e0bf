// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MemoryStats.h"
#include "platform/linux/ProcFile.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace corvanite {

// The /proc/meminfo fields the breakdown uses, in bytes. Percpu and Zswap are absent on older
// kernels and count as 0.
struct MeminfoValues {
    quint64 memTotal = 0;
    quint64 memFree = 0;
    quint64 buffers = 0;
    quint64 cached = 0;
    quint64 shmem = 0;
    quint64 sReclaimable = 0;
    quint64 sUnreclaim = 0;
    quint64 kernelStack = 0;
    quint64 pageTables = 0;
    quint64 percpu = 0;
    quint64 anonPages = 0;
    quint64 zswap = 0;
    quint64 memAvailable = 0; // 0: not reported
};

// Memory page counts from /proc/meminfo, plus the memory that zram devices hold for their
// compressed pages (each device's mm_stat mem_used_total), which no meminfo field shows.
//
// The categories are made disjoint so the breakdown's formulas apply unchanged:
//   free        = MemFree
//   wired       = SUnreclaim + KernelStack + PageTables + Percpu
//   compressed  = Zswap + zram mem_used_total
//   internal    = AnonPages + Shmem
//   purgeable   = 0 (Linux has no volatile ranges the user would see as cached)
//   external    = Buffers + Cached - Shmem + SReclaimable (Cached includes Shmem)
class LinuxMemoryStats final : public MemoryStatsSource {
public:
    // pageSize 0 means the system's page size.
    explicit LinuxMemoryStats(const QString& root = QStringLiteral("/"), quint64 pageSize = 0);
    ~LinuxMemoryStats() override;

    std::optional<MemoryStats> readMemoryStats() override;

    // Absent when a field every kernel writes is missing, cut off or malformed.
    static std::optional<MeminfoValues> parseMeminfo(std::string_view text);
    // The third field of a zram mm_stat line; absent when malformed.
    static std::optional<quint64> parseZramUsed(std::string_view text);
    static MemoryStats toStats(const MeminfoValues& values, quint64 zramBytes, quint64 pageSize);

    // zram devices are looked for again every this many readings: they are set up at boot, almost
    // never later.
    static constexpr int kZramRescanEvery = 150;

private:
    void rescanZram();

    QByteArray m_blockDir;
    quint64 m_pageSize;
    ProcFile m_meminfo;
    std::vector<std::unique_ptr<ProcFile>> m_zram;
    int m_readsSinceRescan = 0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxMemoryStats.h"

#include "platform/linux/ProcText.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

namespace corvanite {

namespace {

struct Field {
    std::string_view key;
    quint64 MeminfoValues::*member;
    bool required;
};

constexpr Field kFields[] = {
    {"MemTotal", &MeminfoValues::memTotal, true},
    {"MemFree", &MeminfoValues::memFree, true},
    {"Buffers", &MeminfoValues::buffers, true},
    {"Cached", &MeminfoValues::cached, true},
    {"Shmem", &MeminfoValues::shmem, true},
    {"SReclaimable", &MeminfoValues::sReclaimable, true},
    {"SUnreclaim", &MeminfoValues::sUnreclaim, true},
    {"KernelStack", &MeminfoValues::kernelStack, true},
    {"PageTables", &MeminfoValues::pageTables, true},
    {"Percpu", &MeminfoValues::percpu, false},
    {"AnonPages", &MeminfoValues::anonPages, true},
    {"Zswap", &MeminfoValues::zswap, false},
    {"MemAvailable", &MeminfoValues::memAvailable, false},
};
constexpr int kFieldCount = static_cast<int>(std::size(kFields));

// Most meminfo lines are not wanted; their key length alone rules them out.
constexpr quint64 kWantedLengths = [] {
    quint64 mask = 0;
    for (const Field& field : kFields)
        mask |= quint64(1) << field.key.size();
    return mask;
}();

quint64 systemPageSize()
{
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<quint64>(size) : 4096;
}

} // namespace

LinuxMemoryStats::LinuxMemoryStats(const QString& root, quint64 pageSize)
    : m_blockDir(pathUnderRoot(root, "sys/block"))
    , m_pageSize(pageSize > 0 ? pageSize : systemPageSize())
    , m_meminfo(pathUnderRoot(root, "proc/meminfo"), 8 * 1024)
{
    rescanZram();
}

LinuxMemoryStats::~LinuxMemoryStats() = default;

// Plain directory and file calls with stack buffers: this runs on the sampling thread every
// kZramRescanEvery passes and should not cost more than the readings it serves.
void LinuxMemoryStats::rescanZram()
{
    m_zram.clear();
    m_readsSinceRescan = 0;
    DIR* dir = ::opendir(m_blockDir.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, "zram", 4) != 0)
            continue;
        // A device without a disk size holds nothing; reading it every pass would cost a system
        // call for a constant 0. A device set up later is found at the next rescan.
        char path[PATH_MAX];
        std::snprintf(path, sizeof path, "%s/%s/disksize", m_blockDir.constData(), entry->d_name);
        char size[32];
        const std::string_view sizeText = ProcFile::readInto(path, size, sizeof size);
        if (!sizeText.empty() && sizeText[0] == '0' &&
            (sizeText.size() == 1 || sizeText[1] == '\n'))
            continue;
        std::snprintf(path, sizeof path, "%s/%s/mm_stat", m_blockDir.constData(), entry->d_name);
        m_zram.push_back(std::make_unique<ProcFile>(QByteArray(path), 256));
    }
    ::closedir(dir);
}

std::optional<MemoryStats> LinuxMemoryStats::readMemoryStats()
{
    if (++m_readsSinceRescan >= kZramRescanEvery)
        rescanZram();
    const std::string_view text = m_meminfo.read();
    if (!m_meminfo.ok())
        return std::nullopt;
    const std::optional<MeminfoValues> values = parseMeminfo(text);
    if (!values)
        return std::nullopt;

    quint64 zramBytes = 0;
    bool zramGone = false;
    for (const auto& device : m_zram) {
        const std::string_view stat = device->read();
        if (!device->ok()) {
            zramGone = true;
            continue;
        }
        zramBytes += parseZramUsed(stat).value_or(0);
    }
    // A device that went away is dropped; the periodic rescan notices new ones.
    if (zramGone)
        std::erase_if(m_zram, [](const auto& device) { return !device->ok(); });
    return toStats(*values, zramBytes, m_pageSize);
}

std::optional<MeminfoValues> LinuxMemoryStats::parseMeminfo(std::string_view text)
{
    MeminfoValues values;
    bool seen[kFieldCount] = {};
    int seenCount = 0;
    proctext::Lines lines(text);
    std::string_view line;
    bool complete = false;
    while (seenCount < kFieldCount && lines.next(line, complete)) {
        if (!complete)
            break;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon >= 64 || !(kWantedLengths >> colon & 1))
            continue;
        const std::string_view key = line.substr(0, colon);
        for (int i = 0; i < kFieldCount; ++i) {
            if (seen[i] || key != kFields[i].key)
                continue;
            std::string_view rest = line.substr(colon + 1);
            quint64 value = 0;
            if (!proctext::takeU64(rest, value))
                break;
            proctext::skipSpaces(rest);
            // A count too large for bytes would wrap to a small one: the line is not trusted.
            if (rest == "kB" && value <= ~quint64(0) / 1024)
                value *= 1024;
            else if (!rest.empty())
                break;
            values.*(kFields[i].member) = value;
            seen[i] = true;
            ++seenCount;
            break;
        }
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (kFields[i].required && !seen[i])
            return std::nullopt;
    }
    return values;
}

std::optional<quint64> LinuxMemoryStats::parseZramUsed(std::string_view text)
{
    quint64 origData = 0, comprData = 0, memUsed = 0;
    if (!proctext::takeU64(text, origData) || !proctext::takeU64(text, comprData) ||
        !proctext::takeU64(text, memUsed))
        return std::nullopt;
    return memUsed;
}

MemoryStats LinuxMemoryStats::toStats(const MeminfoValues& v, quint64 zramBytes, quint64 pageSize)
{
    // No page size is known: count in the common one rather than divide by nothing.
    if (pageSize == 0)
        pageSize = 4096;
    const auto pages = [pageSize](quint64 bytes) { return bytes / pageSize; };
    // Cached includes shared memory, which is counted with the application's memory instead.
    const quint64 fileBacked = v.buffers + v.cached > v.shmem ? v.buffers + v.cached - v.shmem : 0;

    MemoryStats stats;
    stats.pageSize = pageSize;
    stats.physicalMemory = v.memTotal;
    if (v.memAvailable > 0)
        stats.availableBytes = v.memAvailable;
    stats.vm.freeCount = pages(v.memFree);
    stats.vm.wireCount = pages(v.sUnreclaim + v.kernelStack + v.pageTables + v.percpu);
    stats.vm.purgeableCount = 0;
    stats.vm.compressorPageCount = pages(v.zswap + zramBytes);
    stats.vm.externalPageCount = pages(fileBacked + v.sReclaimable);
    stats.vm.internalPageCount = pages(v.anonPages + v.shmem);
    return stats;
}

} // namespace corvanite

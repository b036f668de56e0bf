// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxMemoryStats.h"
#include "app/sampling/LightReadings.h"

#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

const QString kMeminfo = QStringLiteral("proc/meminfo");
constexpr quint64 kPage = 4096;
constexpr quint64 kKiB = 1024;
constexpr quint64 kZramUsed = 300000000; // zram0's mem_used_total; zram1 has no disk

MemorySample sampleOf(const MemoryStats& stats)
{
    return memorySample(stats.vm, stats.pageSize, stats.physicalMemory);
}

} // namespace

TEST(LinuxMemoryStats, disjointCategoriesFromMeminfoAndZram)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxMemoryStats source(tree.root(), kPage);
    const std::optional<MemoryStats> stats = source.readMemoryStats();
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->physicalMemory, 16000000 * kKiB);
    EXPECT_EQ(stats->pageSize, kPage);

    const MemorySample m = sampleOf(*stats);
    EXPECT_EQ(m.total, 16000000 * kKiB);
    EXPECT_EQ(m.free, 4000000 * kKiB);                                // MemFree
    EXPECT_EQ(m.app, (3000000 + 400000) * kKiB);                      // AnonPages + Shmem
    EXPECT_EQ(m.wired, (200000 + 20000 + 60000 + 8000) * kKiB);       // SUnreclaim + stacks ...
    EXPECT_EQ(m.cached, (200000 + 5000000 - 400000 + 600000) * kKiB); // file-backed + SReclaimable
    EXPECT_EQ(m.compressed, (100000 * kKiB + kZramUsed) / kPage * kPage); // Zswap + zram
    EXPECT_NEAR(m.usageFraction(),
                static_cast<double>(m.app + m.wired + m.compressed) / static_cast<double>(m.total),
                1e-12);
}

TEST(LinuxMemoryStats, missingZswapLineCountsAsNone)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.writeFrom(kMeminfo, QStringLiteral("linux-variants/meminfo-no-zswap"));
    tree.remove(QStringLiteral("sys/block/zram0"));
    LinuxMemoryStats source(tree.root(), kPage);
    const std::optional<MemoryStats> stats = source.readMemoryStats();
    ASSERT_TRUE(stats);
    EXPECT_EQ(sampleOf(*stats).compressed, 0u);
    EXPECT_EQ(sampleOf(*stats).app, (3000000 + 400000) * kKiB);
}

TEST(LinuxMemoryStats, cutOffMalformedOrMissingMeminfoGivesNoReading)
{
    const char* variants[] = {"linux-variants/meminfo-truncated",
                              "linux-variants/meminfo-malformed"};
    for (const char* variant : variants) {
        SCOPED_TRACE(variant);
        FixtureTree tree(QStringLiteral("linux"));
        tree.writeFrom(kMeminfo, QString::fromLatin1(variant));
        EXPECT_FALSE(LinuxMemoryStats(tree.root(), kPage).readMemoryStats());
    }
    FixtureTree tree(QStringLiteral("linux"));
    tree.remove(kMeminfo);
    EXPECT_FALSE(LinuxMemoryStats(tree.root(), kPage).readMemoryStats());
}

TEST(LinuxMemoryStats, zramDeviceSetUpLaterIsFoundAtTheNextRescan)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxMemoryStats source(tree.root(), kPage);
    const quint64 before = sampleOf(*source.readMemoryStats()).compressed;
    tree.write(QStringLiteral("sys/block/zram2/disksize"), "1073741824\n");
    tree.write(QStringLiteral("sys/block/zram2/mm_stat"),
               "8192000 4096000 4096000 0 4096000 0 0 0\n");
    quint64 after = before;
    for (int i = 0; i < LinuxMemoryStats::kZramRescanEvery && after == before; ++i)
        after = sampleOf(*source.readMemoryStats()).compressed;
    EXPECT_EQ(after, before + 4096000);
}

TEST(LinuxMemoryStats, zramUsedIsTheThirdField)
{
    EXPECT_EQ(LinuxMemoryStats::parseZramUsed("10 20 30 40 50\n"), 30u);
    EXPECT_FALSE(LinuxMemoryStats::parseZramUsed("10 20\n"));
    EXPECT_FALSE(LinuxMemoryStats::parseZramUsed(""));
}

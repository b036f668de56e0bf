// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxCpuTicks.h"
#include "app/sampling/LightReadings.h"
#include "platform/linux/LinuxBootTime.h"

#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

const QString kStat = QStringLiteral("proc/stat");

std::vector<int> coreIds(const CpuTicksReading& reading)
{
    std::vector<int> ids;
    for (const CoreTicks& core : reading.cores)
        ids.push_back(core.cpu);
    return ids;
}

} // namespace

TEST(LinuxCpuTicks, foldsKernelClassesIntoFourCounters)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxCpuTicks source(tree.root());
    CpuTicksReading reading;
    source.read(reading);

    // system = system + irq + softirq + steal; idle = idle + iowait
    ASSERT_TRUE(reading.host);
    EXPECT_EQ(*reading.host, (CpuTicks{10000, 3175, 51000, 200}));
    EXPECT_EQ(coreIds(reading), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(reading.cores[1].ticks, (CpuTicks{2500, 795, 12750, 50}));

    tree.writeFrom(kStat, QStringLiteral("linux-variants/stat-four-fields"));
    source.read(reading);
    ASSERT_TRUE(reading.host);
    EXPECT_EQ(*reading.host, (CpuTicks{100, 30, 400, 20}));
}

TEST(LinuxCpuTicks, rereadsTheOpenFileEachPass)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxCpuTicks source(tree.root());
    CpuTicksReading first;
    source.read(first);
    tree.writeFrom(kStat, QStringLiteral("linux-variants/stat-backwards"));
    CpuTicksReading second;
    source.read(second);
    ASSERT_TRUE(first.host && second.host);
    EXPECT_EQ(second.host->user, 10400u);
}

// A processor going offline changes the per-core table: no per-core figures for that pass, the
// host figure goes on, and the next pass over the same processors compares core by core again.
TEST(LinuxCpuTicks, processorGoingOfflineResetsPerCoreOnly)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxCpuTicks source(tree.root());
    std::optional<CpuTicks> prevHost;
    std::vector<CoreTicks> prevCores;
    CpuTicksReading reading;

    source.read(reading);
    EXPECT_EQ(hostCpuStep(reading.host, prevHost), 0.0);
    prevCores = reading.cores;

    tree.writeFrom(kStat, QStringLiteral("linux-variants/stat-cpu2-offline"));
    source.read(reading);
    EXPECT_EQ(coreIds(reading), (std::vector<int>{0, 1, 3}));
    EXPECT_NEAR(hostCpuStep(reading.host, prevHost), 500.0 / 900.0 * 100.0, 1e-9);
    EXPECT_TRUE(perCoreUsage(prevCores, reading.cores).isEmpty());
    prevCores = reading.cores;

    source.read(reading);
    EXPECT_EQ(perCoreUsage(prevCores, reading.cores), (QList<double>{0.0, 0.0, 0.0}));
}

TEST(LinuxCpuTicks, countersGoingBackwardsCountAsNoActivity)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxCpuTicks source(tree.root());
    std::optional<CpuTicks> prevHost;
    CpuTicksReading reading;
    source.read(reading);
    hostCpuStep(reading.host, prevHost);
    tree.writeFrom(kStat, QStringLiteral("linux-variants/stat-backwards"));
    source.read(reading);
    // user +400, system backwards (0), idle +600
    EXPECT_DOUBLE_EQ(hostCpuStep(reading.host, prevHost), 40.0);
}

TEST(LinuxCpuTicks, cutOffOrMalformedTablesNeverYieldPartialCores)
{
    struct Case {
        const char* variant;
        bool hostPresent;
    };
    const Case cases[] = {
        {"linux-variants/stat-truncated", true},
        {"linux-variants/stat-malformed", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        FixtureTree tree(QStringLiteral("linux"));
        tree.writeFrom(kStat, QString::fromLatin1(c.variant));
        LinuxCpuTicks source(tree.root());
        CpuTicksReading reading;
        source.read(reading);
        EXPECT_EQ(reading.host.has_value(), c.hostPresent);
        EXPECT_TRUE(reading.cores.empty());
    }

    CpuTicksReading reading;
    LinuxCpuTicks::parse("cpu  1 2 3\ncpu0 1 2 3 4\n", reading); // three fields: not a reading
    EXPECT_FALSE(reading.host);
    EXPECT_EQ(reading.cores.size(), 1u);
    LinuxCpuTicks::parse("", reading);
    EXPECT_FALSE(reading.host);
    EXPECT_TRUE(reading.cores.empty());
}

TEST(LinuxCpuTicks, missingFileGivesNoReading)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.remove(kStat);
    LinuxCpuTicks source(tree.root());
    CpuTicksReading reading;
    reading.host = CpuTicks{1, 1, 1, 1};
    source.read(reading);
    EXPECT_FALSE(reading.host);
    EXPECT_TRUE(reading.cores.empty());
}

TEST(LinuxBootTime, readsBtime)
{
    FixtureTree tree(QStringLiteral("linux"));
    EXPECT_EQ(LinuxBootTime(tree.root()).readBootTime(), 1700000000.0);
    EXPECT_FALSE(LinuxBootTime::parse("cpu  1 2 3 4\nbtime \n"));
    EXPECT_FALSE(LinuxBootTime::parse("cpu  1 2 3 4\nbtime 17000"));
    tree.remove(kStat);
    EXPECT_FALSE(LinuxBootTime(tree.root()).readBootTime());
}

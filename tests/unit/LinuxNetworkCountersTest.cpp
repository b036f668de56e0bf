// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxNetworkCounters.h"

#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {
const QString kDev = QStringLiteral("proc/net/dev");
}

// Counted: eth0 and wlan0 (up, physical). Not counted: lo (loopback), docker0 (no device),
// enp0s31f6 (physical but down).
TEST(LinuxNetworkCounters, countsUpPhysicalNonLoopbackInterfacesOnly)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxNetworkCounters source(tree.root());
    const std::optional<NetworkTotals> totals = source.readNetworkBytes();
    ASSERT_TRUE(totals);
    EXPECT_EQ(totals->received, 1000000u + 3000000u);
    EXPECT_EQ(totals->sent, 200000u + 400000u);

    tree.writeFrom(kDev, QStringLiteral("linux-variants/net-dev-later"));
    const std::optional<NetworkTotals> later = source.readNetworkBytes();
    ASSERT_TRUE(later);
    EXPECT_EQ(later->received, 1500000u + 3250000u);
    EXPECT_EQ(later->interfaceSet, totals->interfaceSet);
}

TEST(LinuxNetworkCounters, vanishingInterfaceChangesTheCountedSet)
{
    FixtureTree tree(QStringLiteral("linux"));
    LinuxNetworkCounters source(tree.root());
    const std::optional<NetworkTotals> before = source.readNetworkBytes();
    tree.writeFrom(kDev, QStringLiteral("linux-variants/net-dev-eth0-gone"));
    tree.remove(QStringLiteral("sys/class/net/eth0"));
    const std::optional<NetworkTotals> after = source.readNetworkBytes();
    ASSERT_TRUE(before && after);
    EXPECT_EQ(after->received, 3000000u);
    EXPECT_EQ(after->sent, 400000u);
    EXPECT_NE(after->interfaceSet, before->interfaceSet);
}

TEST(LinuxNetworkCounters, uncountedInterfaceComingAndGoingKeepsTotalsComparable)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("sys/class/net/vethab12/flags"), "0x1003\n");
    LinuxNetworkCounters source(tree.root());
    const std::optional<NetworkTotals> before = source.readNetworkBytes();
    tree.writeFrom(kDev, QStringLiteral("linux-variants/net-dev-with-veth"));
    const std::optional<NetworkTotals> after = source.readNetworkBytes();
    ASSERT_TRUE(before && after);
    EXPECT_EQ(after->received, before->received);
    EXPECT_EQ(after->interfaceSet, before->interfaceSet);
}

// Up/down changes are noticed at the periodic re-check, within kRefreshEvery readings.
TEST(LinuxNetworkCounters, upAndDownNoticedWithinTheRefreshPeriod)
{
    FixtureTree tree(QStringLiteral("linux"));
    constexpr int kEvery = 3;
    LinuxNetworkCounters source(tree.root(), kEvery);
    const quint64 firstSet = source.readNetworkBytes()->interfaceSet;

    tree.write(QStringLiteral("sys/class/net/wlan0/flags"), "0x1002\n");     // wlan0 down
    tree.write(QStringLiteral("sys/class/net/enp0s31f6/flags"), "0x1003\n"); // enp0s31f6 up
    std::optional<NetworkTotals> totals;
    int readings = 0;
    do {
        totals = source.readNetworkBytes();
        ++readings;
    } while (totals && totals->interfaceSet == firstSet && readings <= kEvery);
    ASSERT_TRUE(totals);
    EXPECT_LE(readings, kEvery);
    EXPECT_EQ(totals->received, 1000000u + 50000u);
    EXPECT_EQ(totals->sent, 200000u + 6000u);
}

TEST(LinuxNetworkCounters, unreadableOrCutOffTableGivesNoReading)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.writeFrom(kDev, QStringLiteral("linux-variants/net-dev-truncated"));
    EXPECT_FALSE(LinuxNetworkCounters(tree.root()).readNetworkBytes());
    tree.write(kDev, "Inter-|   Receive\n");
    EXPECT_FALSE(LinuxNetworkCounters(tree.root()).readNetworkBytes());
    tree.remove(kDev);
    EXPECT_FALSE(LinuxNetworkCounters(tree.root()).readNetworkBytes());
}

TEST(LinuxNetworkCounters, parsesLinesWithLongNamesAndLargeCounters)
{
    LinuxNetworkCounters::Line line;
    ASSERT_TRUE(LinuxNetworkCounters::parseLine(
        "enx00e04c680001:18446744073709551615 1 0 0 0 0 0 0 42 1 0 0 0 0 0 0", line));
    EXPECT_EQ(line.name, "enx00e04c680001");
    EXPECT_EQ(line.received, 18446744073709551615ull);
    EXPECT_EQ(line.sent, 42u);
    EXPECT_FALSE(LinuxNetworkCounters::parseLine("eth0: 1 2 3", line));
    EXPECT_FALSE(LinuxNetworkCounters::parseLine("no colon here 1 2 3 4 5 6 7 8 9", line));
    EXPECT_FALSE(
        LinuxNetworkCounters::parseLine("eth0: 18446744073709551616 0 0 0 0 0 0 0 0", line));
}

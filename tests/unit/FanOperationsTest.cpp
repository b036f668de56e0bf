// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/FanOperations.h"
#include "platform/sim/SimulatedSmc.h"
#include "shared/SMCFan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace corvanite;

namespace {

struct Machine {
    SimulatedSmc smc;
    SMCFan access{smc};
    FanOperations fans{access};
};

} // namespace

TEST(FanOperations, readsEveryFanInOrderWithUnreadableSpeedsAsZero)
{
    Machine machine;
    machine.smc.addFans(2, 1200, 6500, 1800);
    machine.smc.setUInt8(QStringLiteral("F1Md"), 1);
    machine.smc.removeKey(QStringLiteral("F1Tg"));
    const QList<FanReading> readings = machine.fans.readAllFans();
    ASSERT_EQ(readings.size(), 2);
    EXPECT_EQ(readings[0], (FanReading{0, 1800, readings[0].targetRPM, 1200, 6500, false}));
    EXPECT_EQ(readings[1].index, 1);
    EXPECT_EQ(readings[1].targetRPM, 0.0);
    EXPECT_TRUE(readings[1].forced);
}

TEST(FanOperations, modeOtherThanOneIsNotForced)
{
    Machine machine;
    machine.smc.addFans(1, 1000, 5000, 1000);
    machine.smc.setUInt8(QStringLiteral("F0Md"), 2);
    EXPECT_FALSE(machine.fans.readAllFans().at(0).forced);
}

// Each fan gets forced mode first, then its target limited to 0 and its own maximum.
TEST(FanOperations, forcingLimitsTheTargetToEachFansRange)
{
    struct Case {
        qint64 requested;
        float maximum;
        bool maximumReadable;
        float expected;
    };
    const Case cases[] = {
        {2500, 6000.9f, true, 2500},
        {9000, 6000.9f, true, 6000},
        {-300, 6000, true, 0},
        {std::numeric_limits<qint64>::max(), 5400, true, 5400},
        {std::numeric_limits<qint64>::min(), 5400, true, 0},
        {9000, 0, false, 6000},
        {9000, std::numeric_limits<float>::infinity(), true, 6000},
    };
    for (const Case& c : cases) {
        Machine machine;
        machine.smc.addFans(1, 1000, c.maximum, 1000);
        if (!c.maximumReadable)
            machine.smc.removeKey(QStringLiteral("F0Mx"));
        machine.smc.clearWrites();
        EXPECT_TRUE(machine.fans.forceAllFans(c.requested)) << c.requested;
        const auto writes = machine.smc.writes();
        ASSERT_EQ(writes.size(), 2) << c.requested;
        EXPECT_EQ(writes[0].key, QStringLiteral("F0Md"));
        EXPECT_EQ(writes[0].bytes, std::vector<std::uint8_t>{1});
        EXPECT_EQ(writes[1].key, QStringLiteral("F0Tg"));
        EXPECT_EQ(machine.smc.floatValue(QStringLiteral("F0Tg")), c.expected) << c.requested;
    }
}

TEST(FanOperations, aFailedWriteIsFalseButEveryFanIsStillTried)
{
    Machine machine;
    machine.smc.addFans(3, 1000, 6000, 1000);
    machine.smc.setKeyFails(QStringLiteral("F0Tg"), true);
    machine.smc.clearWrites();
    EXPECT_FALSE(machine.fans.forceAllFans(3000));
    EXPECT_EQ(machine.smc.floatValue(QStringLiteral("F2Tg")), 3000.0f);
    EXPECT_EQ(machine.smc.uint8Value(QStringLiteral("F2Md")), 1);
}

TEST(FanOperations, releaseWritesAutomaticModeOnlyAndAtLeastToFansZeroAndOne)
{
    Machine machine;
    machine.smc.addFans(3, 1000, 6000, 1000);
    ASSERT_TRUE(machine.fans.forceAllFans(3000));
    machine.smc.clearWrites();
    machine.fans.releaseAllFans();
    QStringList keys;
    for (const auto& write : machine.smc.writes()) {
        keys << write.key;
        EXPECT_EQ(write.bytes, std::vector<std::uint8_t>{0});
    }
    EXPECT_EQ(keys, (QStringList{"F0Md", "F1Md", "F2Md"}));
}

// "FNum" unreadable: no fans to read or force, but release still reaches fans 0 and 1.
TEST(FanOperations, unreadableFanCountStillReleasesTheFirstTwoFans)
{
    Machine machine;
    machine.smc.addFans(2, 1000, 6000, 1000);
    machine.smc.setUInt8(QStringLiteral("F0Md"), 1);
    machine.smc.setUInt8(QStringLiteral("F1Md"), 1);
    machine.smc.removeKey(QStringLiteral("FNum"));
    machine.smc.clearWrites();
    EXPECT_EQ(machine.fans.fanCount(), 0);
    EXPECT_TRUE(machine.fans.readAllFans().isEmpty());
    EXPECT_TRUE(machine.fans.forceAllFans(3000));
    EXPECT_TRUE(machine.smc.writes().isEmpty());
    machine.fans.releaseAllFans();
    EXPECT_EQ(machine.smc.uint8Value(QStringLiteral("F0Md")), 0);
    EXPECT_EQ(machine.smc.uint8Value(QStringLiteral("F1Md")), 0);
}

TEST(FanOperations, hottestCpuKeyIgnoresImplausibleReadings)
{
    Machine machine;
    EXPECT_EQ(machine.fans.maxCPUTemp(), 0.0);
    machine.smc.setFloat(QStringLiteral("Tp09"), 61.5f);
    machine.smc.setFloat(QStringLiteral("TC0P"), 72.25f);
    machine.smc.setFloat(QStringLiteral("Tp01"), 130.0f);
    machine.smc.setFloat(QStringLiteral("Tp05"), std::nanf(""));
    machine.smc.setFloat(QStringLiteral("Tp0D"), std::numeric_limits<float>::infinity());
    machine.smc.setFloat(QStringLiteral("Tp0Y"), 99.0f); // not one of the helper's keys
    EXPECT_EQ(machine.fans.maxCPUTemp(), 72.25);
}

TEST(FanOperations, keyNarrowerThanAFloatIsUnreadableAndRefusesTheTarget)
{
    Machine machine;
    machine.smc.addFans(1, 1000, 6000, 1000);
    SMCKeyInfo narrow{};
    narrow.dataSize = 2;
    machine.smc.setKey(QStringLiteral("F0Tg"), narrow, {0x1f, 0x40});
    EXPECT_EQ(machine.fans.readAllFans().at(0).targetRPM, 0.0);
    EXPECT_FALSE(machine.fans.forceAllFans(2000));
}

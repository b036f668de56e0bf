// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/FanHelper.h"
#include "helper/FanOperations.h"
#include "helper/SystemLog.h"
#include "platform/Clock.h"
#include "platform/sim/SimulatedSmc.h"
#include "shared/SMCFan.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

class FanHelperTest : public ::testing::Test {
protected:
    FanHelperTest()
    {
        smc.addFans(2, 1200, 6000, 1200);
        SystemLog::setSink([this](const QString& line) { log << line; });
    }
    ~FanHelperTest() override { SystemLog::setSink({}); }

    bool forced(int fan) const
    {
        return smc.uint8Value(QStringLiteral("F%1Md").arg(fan)) == std::optional<std::uint8_t>(1);
    }
    // Ticks as the 2-second timer would, each after moving the clock.
    void tickEvery2sFor(double seconds)
    {
        for (double t = 0; t < seconds; t += 2) {
            clock.advance(2);
            helper.watchdogTick();
        }
    }

    SimulatedSmc smc;
    SMCFan access{smc};
    FanOperations fans{access};
    FakeClock clock;
    FanHelper helper{fans, clock};
    QStringList log;
};

} // namespace

TEST_F(FanHelperTest, versionAndReadingsLeaveTheStateAlone)
{
    EXPECT_EQ(helper.getVersion(), QStringLiteral("0.0.15"));
    const auto readings = FanReading::decodeList(helper.readFans());
    ASSERT_TRUE(readings.has_value());
    EXPECT_EQ(readings->size(), 2);
    EXPECT_FALSE(helper.isForcing());
    EXPECT_FALSE(helper.isWatchdogRunning());
}

TEST_F(FanHelperTest, floorForcesEveryFanAndStartsTheWatchdog)
{
    EXPECT_TRUE(helper.setFanFloor(3000));
    EXPECT_TRUE(helper.isForcing());
    EXPECT_TRUE(helper.isWatchdogRunning());
    EXPECT_TRUE(forced(0) && forced(1));
    EXPECT_EQ(smc.floatValue(QStringLiteral("F1Tg")), 3000.0f);
}

// Idle, the daemon never wakes: no timer, and a tick by hand does nothing either.
TEST_F(FanHelperTest, idleDaemonIgnoresSilenceForMinutes)
{
    smc.clearWrites();
    tickEvery2sFor(600);
    EXPECT_TRUE(smc.writes().isEmpty());
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(helper.isWatchdogRunning());
}

TEST_F(FanHelperTest, heartbeatsKeepTheFloorAndSilenceReleasesItOnce)
{
    ASSERT_TRUE(helper.setFanFloor(3000));
    for (int i = 0; i < 10; ++i) {
        tickEvery2sFor(2);
        helper.heartbeat();
    }
    EXPECT_TRUE(helper.isForcing());
    EXPECT_TRUE(log.isEmpty());

    tickEvery2sFor(6); // exactly 6 s of silence is not yet too long
    EXPECT_TRUE(helper.isForcing());
    tickEvery2sFor(2);
    EXPECT_FALSE(helper.isForcing());
    EXPECT_FALSE(forced(0) || forced(1));
    EXPECT_FALSE(helper.isWatchdogRunning());
    EXPECT_EQ(log, QStringList{"helper: heartbeat missing for 8s; releasing control"});

    tickEvery2sFor(20);
    EXPECT_EQ(log.size(), 1);
}

TEST_F(FanHelperTest, aRepeatedFloorCountsAsAHeartbeat)
{
    ASSERT_TRUE(helper.setFanFloor(3000));
    tickEvery2sFor(6);
    ASSERT_TRUE(helper.setFanFloor(3500));
    tickEvery2sFor(6);
    EXPECT_TRUE(helper.isForcing());
    EXPECT_EQ(smc.floatValue(QStringLiteral("F0Tg")), 3500.0f);
}

// The watchdog measures silence on the monotonic clock: a wall clock set back an hour must not
// keep the fans forced after the client is gone.
TEST_F(FanHelperTest, wallClockStepsDoNotFoolTheWatchdog)
{
    ASSERT_TRUE(helper.setFanFloor(3000));
    clock.setNow(clock.now() - 3600);
    tickEvery2sFor(8);
    EXPECT_FALSE(helper.isForcing());
}

TEST_F(FanHelperTest, cpuAtTheSafetyLimitRefusesTheFloor)
{
    smc.setFloat(QStringLiteral("Tp0b"), 100.0f);
    smc.setUInt8(QStringLiteral("F0Md"), 1);
    EXPECT_FALSE(helper.setFanFloor(3000));
    EXPECT_FALSE(helper.isForcing());
    EXPECT_FALSE(helper.isWatchdogRunning());
    EXPECT_FALSE(forced(0)); // the refusal also releases
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FanHelperTest, cpuReachingTheLimitWhileForcedReleasesAtTheNextTick)
{
    ASSERT_TRUE(helper.setFanFloor(3000));
    smc.setFloat(QStringLiteral("TC2C"), 99.9f);
    tickEvery2sFor(2);
    EXPECT_TRUE(helper.isForcing());
    smc.setFloat(QStringLiteral("TC2C"), 101.0f);
    helper.heartbeat();
    tickEvery2sFor(2);
    EXPECT_FALSE(helper.isForcing());
    EXPECT_FALSE(forced(0) || forced(1));
    EXPECT_EQ(log, QStringList{"helper: CPU reached the safety limit; returning control to macOS"});
}

// Failed writes do not change the state logic: forcing is entered, the reply says false.
TEST_F(FanHelperTest, failedWritesStillEnterForcingAndReleaseStillAnswersTrue)
{
    smc.setKeyFails(QStringLiteral("F1Md"), true);
    EXPECT_FALSE(helper.setFanFloor(3000));
    EXPECT_TRUE(helper.isForcing());
    EXPECT_TRUE(helper.releaseControl());
    EXPECT_FALSE(helper.isForcing());
    EXPECT_TRUE(helper.releaseControl()); // twice, and while idle
}

TEST_F(FanHelperTest, noFansStillEntersForcingAndReleasesFansZeroAndOne)
{
    SimulatedSmc empty;
    SMCFan emptyAccess(empty);
    FanOperations none(emptyAccess);
    FanHelper bare(none, clock);
    EXPECT_TRUE(bare.setFanFloor(2000));
    EXPECT_TRUE(bare.isForcing());
    EXPECT_EQ(bare.readFans(), QByteArray("[]"));
    // The mode keys do not exist, so the writes fail, but fans 0 and 1 are both asked.
    const int callsBefore = empty.callCount();
    EXPECT_TRUE(bare.releaseControl());
    EXPECT_EQ(empty.callCount() - callsBefore, 3); // "FNum", "F0Md", "F1Md"
    EXPECT_FALSE(bare.isForcing());
}

TEST_F(FanHelperTest, heartbeatWithoutAFloorChangesNothing)
{
    smc.clearWrites();
    helper.heartbeat();
    tickEvery2sFor(10);
    EXPECT_FALSE(helper.isForcing());
    EXPECT_TRUE(smc.writes().isEmpty());
}

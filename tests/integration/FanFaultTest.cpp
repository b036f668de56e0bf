// Comfort cooling when a side dies without a word: the fans must never stay forced.
#include "tests/support/SimulatedFanHelper.h"
#include "tests/support/WaitFor.h"

#include <QElapsedTimer>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvanite::test;

namespace {

QJsonObject threeFanMachine()
{
    QJsonObject floats{{"F0Ac", 1200}, {"F0Tg", 1200}, {"F0Mn", 1200}, {"F0Mx", 6000},
                       {"F1Ac", 1300}, {"F1Tg", 1300}, {"F1Mn", 1300}, {"F1Mx", 5500},
                       {"F2Ac", 900},  {"F2Tg", 900},  {"F2Mn", 800},  {"F2Mx", 4000},
                       {"Tp09", 55.5}};
    QJsonObject bytes{{"FNum", 3}, {"F0Md", 0}, {"F1Md", 0}, {"F2Md", 0}};
    return QJsonObject{{"floats", floats}, {"bytes", bytes}};
}

bool allForced(const SimulatedFanHelper& helper)
{
    return helper.mode(0) == 1 && helper.mode(1) == 1 && helper.mode(2) == 1;
}

bool allReleased(const SimulatedFanHelper& helper)
{
    return helper.mode(0) == 0 && helper.mode(1) == 0 && helper.mode(2) == 0;
}

// A client holding a floor, killed with SIGKILL: no release call, no goodbye.
struct FloorClient {
    QProcess process;

    bool hold(const SimulatedFanHelper& helper, int rpm)
    {
        process.start(QStringLiteral(CORVANITE_FAN_FLOOR_CLIENT),
                      {helper.address(), QString::number(rpm)});
        return process.waitForStarted(5000) &&
               waitFor([&] { return process.canReadLine() || !process.isOpen(); }, 10000) &&
               process.readLine().trimmed() == "holding";
    }
    void kill()
    {
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(5000);
    }
    ~FloorClient()
    {
        if (process.state() != QProcess::NotRunning)
            kill();
    }
};

} // namespace

TEST(FanFault, aClientKilledWhileHoldingAFloorIsReleasedWithinEightSeconds)
{
    SimulatedFanHelper helper(threeFanMachine(), QStringLiteral(CORVANITE_HELPER));
    ASSERT_TRUE(helper.isRunning()) << qPrintable(helper.busError());
    ASSERT_GT(helper.start(), 0);
    FloorClient client;
    ASSERT_TRUE(client.hold(helper, 3000));
    ASSERT_TRUE(waitFor([&] { return allForced(helper); }));
    // Held across a few heartbeats first, so the release below is the kill's doing.
    spinEventLoop(2500);
    ASSERT_TRUE(allForced(helper));

    QElapsedTimer sinceKill;
    sinceKill.start();
    client.kill();
    EXPECT_TRUE(waitFor([&] { return allReleased(helper); }, 10000));
    EXPECT_LT(sinceKill.elapsed(), 8000);
    EXPECT_FALSE(helper.hasEnded()); // the daemon serves on for the next client
}

// The service manager runs the release-only mode after the daemon ends however it ended; a
// SIGKILL leaves the fans forced until then.
TEST(FanFault, aDaemonKilledWhileForcingIsUndoneByTheReleaseOnlyMode)
{
    SimulatedFanHelper helper(threeFanMachine(), QStringLiteral(CORVANITE_HELPER));
    ASSERT_TRUE(helper.isRunning()) << qPrintable(helper.busError());
    const pid_t daemon = helper.start();
    ASSERT_GT(daemon, 0);
    FloorClient client;
    ASSERT_TRUE(client.hold(helper, 5000));
    ASSERT_TRUE(waitFor([&] { return allForced(helper); }));

    ASSERT_EQ(::kill(daemon, SIGKILL), 0);
    ASSERT_TRUE(waitFor([&] { return helper.hasEnded(); }));
    ASSERT_TRUE(allForced(helper)); // nothing ran on the way down

    QProcess release;
    release.start(QStringLiteral(CORVANITE_HELPER),
                  {QStringLiteral("--release-fans"),
                   QStringLiteral("--test-simulated-smc=") + helper.statePath()});
    ASSERT_TRUE(release.waitForFinished(10000));
    EXPECT_EQ(release.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(release.exitCode(), 0) << release.readAllStandardError().toStdString();
    EXPECT_TRUE(allReleased(helper));
}

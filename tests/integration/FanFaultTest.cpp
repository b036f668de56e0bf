// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Comfort cooling when a side dies without a word: the fans must never stay forced.
#include "tests/support/SimulatedFanHelper.h"
#include "tests/support/WaitFor.h"

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

// The real fan controller and helper client in their own process, holding a floor for a warm
// surface until they are killed.
struct ComfortClient {
    QProcess process;

    bool hold(const SimulatedFanHelper& helper)
    {
        process.start(QStringLiteral(CORVANITE_COMFORT_PROBE),
                      {helper.address(), QStringLiteral("44.0")});
        return process.waitForStarted(5000) &&
               waitFor([&] { return process.canReadLine(); }, 10000) &&
               process.readLine().trimmed().endsWith(" true");
    }
    ~ComfortClient()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};

} // namespace

// The service manager runs the release-only mode after the daemon ends however it ended; a
// SIGKILL leaves the fans forced until then.
TEST(FanFault, aDaemonKilledWhileForcingIsUndoneByTheReleaseOnlyMode)
{
    SimulatedFanHelper helper(threeFanMachine(), QStringLiteral(CORVANITE_HELPER));
    ASSERT_TRUE(helper.isRunning()) << qPrintable(helper.busError());
    const pid_t daemon = helper.start();
    ASSERT_GT(daemon, 0);
    ComfortClient client;
    ASSERT_TRUE(client.hold(helper));
    ASSERT_TRUE(waitFor([&] { return allForced(helper); }));

    // The client goes first, so nothing of it can call (and so restart) the daemon; the
    // daemon's watchdog would wait seconds before it let go by itself.
    client.process.kill();
    ASSERT_TRUE(client.process.waitForFinished(5000));
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

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/FanHelperClient.h"
#include "tests/integration/HelperDaemon.h"
#include "tests/support/LogWatch.h"
#include "tests/support/WaitFor.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvanite;
using namespace corvanite::test;

namespace {

class RegisteredHelper final : public HelperRegistration {
public:
    FanHelperState status() override { return FanHelperState::enabled; }
    bool registerHelper(QString&) override { return true; }
    void unregisterHelper() override {}
};

std::unique_ptr<FanHelperClient> clientOn(const QString& address)
{
    return std::make_unique<FanHelperClient>(std::make_unique<RegisteredHelper>(), address);
}

template <typename T> struct Answer {
    std::optional<T> value;
    auto catcher()
    {
        return [this](T v) { value = std::move(v); };
    }
};

} // namespace

TEST(FanHelperClient, operationsReachTheDaemonAndTheHeartbeatFollowsTheFloor)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    const auto client = clientOn(daemon.address());

    Answer<std::optional<QString>> version;
    client->version(version.catcher());
    EXPECT_FALSE(version.value) << "replies come later, from the event loop";
    ASSERT_TRUE(waitFor([&] { return version.value.has_value(); }));
    EXPECT_EQ(*version.value, std::optional<QString>(QStringLiteral("0.0.15")));

    Answer<QList<FanReading>> fans;
    client->readFans(fans.catcher());
    ASSERT_TRUE(waitFor([&] { return fans.value.has_value(); }));
    ASSERT_EQ(fans.value->size(), 2);
    EXPECT_EQ(fans.value->at(1).maxRPM, 5500.0);

    Answer<bool> floor;
    client->setFanFloor(3000, floor.catcher());
    client->setFanFloor(3100, [](bool) {});
    EXPECT_TRUE(client->isHeartbeating());
    EXPECT_EQ(client->findChildren<QTimer*>().size(), 1) << "one heartbeat timer for two floors";
    ASSERT_TRUE(waitFor([&] { return floor.value.has_value(); }));
    EXPECT_TRUE(*floor.value);
    EXPECT_TRUE(waitFor([&] { return daemon.target(0) == 3100.0; }));
    EXPECT_EQ(daemon.mode(1), 1);

    Answer<bool> release;
    client->releaseControl(release.catcher());
    EXPECT_FALSE(client->isHeartbeating());
    ASSERT_TRUE(waitFor([&] { return release.value.has_value(); }));
    EXPECT_TRUE(*release.value);
    EXPECT_EQ(daemon.mode(0), 0);
    EXPECT_EQ(client->connectionsOpened(), 1);
}

// The daemon's going away ends the connection; the next heartbeat opens a new one, and the
// bus starts the daemon again for it.
TEST(FanHelperClient, connectionIsMadeAgainAfterTheDaemonWentAway)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    const auto client = clientOn(daemon.address());
    Answer<bool> floor;
    client->setFanFloor(2500, floor.catcher());
    ASSERT_TRUE(waitFor([&] { return floor.value.has_value(); }));
    daemon.call(QStringLiteral("GetVersion")); // learns the daemon's pid
    const pid_t first = daemon.pid();
    ASSERT_GT(first, 0);
    ASSERT_EQ(kill(first, SIGKILL), 0);
    EXPECT_TRUE(waitFor([&] { return !client->hasConnection(); }));

    client->sendHeartbeat();
    EXPECT_TRUE(client->hasConnection());
    EXPECT_EQ(client->connectionsOpened(), 2);
    Answer<std::optional<QString>> version;
    client->version(version.catcher());
    ASSERT_TRUE(waitFor([&] { return version.value.has_value(); }, 10000));
    EXPECT_EQ(*version.value, std::optional<QString>(QStringLiteral("0.0.15")));
}

// Without a bus there is no proxy: every operation answers at once, and a release that could
// not be sent leaves the heartbeat running. A call the bus cannot deliver is logged and never
// answered.
TEST(FanHelperClient, noConnectionAnswersAtOnceAndTransportErrorsAreOnlyLogged)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    const auto client = clientOn(daemon.address());
    client->setFanFloor(2000, [](bool) {});
    ASSERT_TRUE(client->isHeartbeating());
    daemon.stopBus();
    EXPECT_TRUE(waitFor([&] { return !client->hasConnection(); }));

    Answer<bool> release;
    client->releaseControl(release.catcher());
    EXPECT_EQ(release.value, std::optional<bool>(false)) << "answered before returning";
    EXPECT_TRUE(client->isHeartbeating());
    Answer<QList<FanReading>> fans;
    client->readFans(fans.catcher());
    EXPECT_EQ(fans.value, std::optional<QList<FanReading>>(QList<FanReading>()));
    Answer<std::optional<QString>> version;
    client->version(version.catcher());
    ASSERT_TRUE(version.value.has_value());
    EXPECT_FALSE(version.value->has_value());

    // A bus whose helper cannot be started.
    QTemporaryDir services;
    QFile service(services.filePath(QStringLiteral("com.corvanite.helper.service")));
    ASSERT_TRUE(service.open(QIODevice::WriteOnly));
    service.write("[D-BUS Service]\nName=com.corvanite.helper\nExec=/bin/false\n");
    service.close();
    PrivateBus broken({services.path()});
    ASSERT_TRUE(broken.isRunning()) << qPrintable(broken.error());
    const auto stranded = clientOn(broken.address());
    LogWatch log;
    bool answered = false;
    stranded->setFanFloor(2000, [&](bool) { answered = true; });
    EXPECT_TRUE(waitFor([&] { return !log.lines().isEmpty(); }, 10000));
    spinEventLoop(200);
    EXPECT_FALSE(answered);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().first().startsWith(QStringLiteral("Helper XPC error: ")))
        << log.lines().first().toStdString();
}

// End to end: the real controller and client in their own process hold a floor for a warm
// surface, their heartbeats keep it past the daemon's watchdog, and once the process is killed
// the daemon hands the fans back by itself within 8 seconds.
TEST(FanHelperClient, killedApplicationLosesItsFloorWithinEightSeconds)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    QProcess app;
    app.start(QStringLiteral(CORVANITE_COMFORT_PROBE), {daemon.address(), QStringLiteral("41.0")});
    ASSERT_TRUE(app.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return app.canReadLine(); }, 10000)) << "no floor reply";
    EXPECT_EQ(app.readLine().trimmed(), QByteArray("floor 4300 true"));
    EXPECT_EQ(daemon.mode(0), 1);
    EXPECT_EQ(daemon.target(0), 4300.0);
    EXPECT_EQ(daemon.target(1), 4300.0);

    spinEventLoop(9000); // longer than the watchdog allows without heartbeats
    EXPECT_EQ(daemon.mode(0), 1) << "the heartbeats keep the floor";

    QElapsedTimer sinceKill;
    app.kill();
    sinceKill.start();
    ASSERT_TRUE(app.waitForFinished());
    EXPECT_TRUE(waitFor([&] { return daemon.mode(0) == 0 && daemon.mode(1) == 0; }, 10000));
    EXPECT_LE(sinceKill.elapsed(), 8500);
    EXPECT_EQ(daemon.logLines().filter(QStringLiteral("heartbeat missing")).size(), 1);
}

// Quitting releases at once instead of leaving it to the watchdog.
TEST(FanHelperClient, quittingApplicationReleasesTheFloorAtOnce)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    QProcess app;
    app.start(QStringLiteral(CORVANITE_COMFORT_PROBE), {daemon.address(), QStringLiteral("44.5")});
    ASSERT_TRUE(app.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return app.canReadLine(); }, 10000)) << "no floor reply";
    EXPECT_EQ(app.readLine().trimmed(), QByteArray("floor 6000 true"));
    EXPECT_EQ(daemon.target(0), 6000.0);
    EXPECT_EQ(daemon.target(1), 5500.0) << "each fan limited to its own maximum";
    app.terminate();
    ASSERT_TRUE(app.waitForFinished());
    EXPECT_TRUE(waitFor([&] { return daemon.mode(0) == 0 && daemon.mode(1) == 0; }, 3000));
    EXPECT_TRUE(daemon.logLines().filter(QStringLiteral("heartbeat missing")).isEmpty());
}

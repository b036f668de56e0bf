// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/AlertManager.h"
#include "app/analysis/UserNotices.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "platform/Preferences.h"
#include "platform/linux/DesktopNotifications.h"

#include "tests/support/FakeAutostartEntry.h"
#include "tests/support/LogWatch.h"
#include "tests/support/NotificationServer.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/WaitFor.h"

#include <QTemporaryDir>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace corvanite;
using namespace corvanite::test;

namespace {

QString uniqueName(const char* role)
{
    static int counter = 0;
    return QStringLiteral("%1-%2").arg(QLatin1String(role)).arg(++counter);
}

using Notification = NotificationServer::Notification;

// The alert manager on a private session bus, with a notification service of the test's own.
class AlertNotifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
        server = std::make_unique<NotificationServer>(bus.connect(uniqueName("server")));
        ASSERT_TRUE(server->isRegistered());
        client = bus.connect(uniqueName("client"));
        center = std::make_unique<DesktopNotifications>(
            client, DesktopNotifications::Identity{QStringLiteral("Corvanite"),
                                                   QStringLiteral("utilities-system-monitor"),
                                                   QStringLiteral("com.corvanite.app")});
        settings.enabled = true;
        settings.cpuThreshold = 90;
        settings.memThreshold = 101; // out of reach unless a test lowers it
        settings.tempThreshold = 1000;
        alerts = std::make_unique<AlertManager>(*center, [this] { return settings; });
    }

    // Waits until the service has handled everything sent so far: the bus keeps a sender's
    // messages in order, so one more round trip comes back after them.
    void sync()
    {
        const QDBusMessage reply = PrivateBus::callAndWait(
            client, QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                   QStringLiteral("/org/freedesktop/Notifications"),
                                                   QStringLiteral("org.freedesktop.Notifications"),
                                                   QStringLiteral("GetServerInformation")));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    }
    void cpu(std::initializer_list<double> values)
    {
        for (double v : values)
            alerts->evaluate(v, 10, std::nullopt);
        sync();
    }
    QList<Notification> notified() const { return server->notified(); }

    PrivateBus bus;
    std::unique_ptr<NotificationServer> server;
    QDBusConnection client{QString()};
    std::unique_ptr<DesktopNotifications> center;
    AlertSettings settings;
    std::unique_ptr<AlertManager> alerts;
};

} // namespace

TEST_F(AlertNotifications, cpuAlertsOnTheThirdSustainedSnapshotOncePerExcursion)
{
    struct Case {
        const char* what;
        std::vector<double> values;
        int alerts;
    };
    const Case cases[] = {
        {"three at 95", {95, 95, 95}, 1},
        {"a fourth at 95 posts nothing more", {95, 95, 95, 95}, 1},
        {"a dip restarts the count", {95, 95, 80, 95, 95}, 0},
        {"then a further 95 alerts", {95, 95, 80, 95, 95, 95}, 1},
        {"equal to the threshold counts", {90, 90, 90}, 1},
        {"just below does not", {90, 89.99, 90, 90}, 0},
        {"re-armed by one snapshot below", {95, 95, 95, 50, 95, 95, 95}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AlertManager fresh(*center, [this] { return settings; });
        const qsizetype before = notified().size();
        for (double v : c.values)
            fresh.evaluate(v, 10, std::nullopt);
        sync();
        EXPECT_EQ(notified().size() - before, c.alerts);
    }
}

TEST_F(AlertNotifications, anAlertCarriesTheTextsTheSoundAndTheClickAction)
{
    LogWatch log;
    cpu({95.5, 95.5, 95.5});
    ASSERT_EQ(notified().size(), 1);
    const Notification n = notified()[0];
    EXPECT_EQ(n.appName, QStringLiteral("Corvanite"));
    EXPECT_EQ(n.replacesId, 0u);
    EXPECT_EQ(n.summary, QStringLiteral("High CPU load"));
    EXPECT_EQ(n.body, QStringLiteral("CPU load is at 96% (alert threshold 90%)."));
    EXPECT_EQ(n.actions, (QStringList{QStringLiteral("default"), QStringLiteral("Corvanite")}));
    EXPECT_EQ(n.hints.value(QStringLiteral("sound-name")).toString(),
              DesktopNotifications::soundName());
    EXPECT_EQ(n.hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("com.corvanite.app"));
    EXPECT_EQ(n.timeout, -1);
    EXPECT_TRUE(log.lines().contains(
        QStringLiteral("Alert notification: cpu — CPU load is at 96% (alert threshold 90%).")));
    const AlertManager::State state = alerts->state(AlertManager::Metric::Cpu);
    EXPECT_EQ(state, (AlertManager::State{3, true}));
}

TEST_F(AlertNotifications, aMetricsNewAlertReplacesItsEarlierOneOnly)
{
    settings.memThreshold = 80;
    for (int i = 0; i < 3; ++i)
        alerts->evaluate(95, 85, std::nullopt);
    sync();
    ASSERT_EQ(notified().size(), 2);
    const uint cpuId = notified()[0].id;
    const uint memId = notified()[1].id;
    EXPECT_NE(cpuId, memId);
    EXPECT_EQ(notified()[1].summary, QStringLiteral("High memory use"));

    cpu({10, 95, 95, 95});
    ASSERT_EQ(notified().size(), 3);
    EXPECT_EQ(notified()[2].replacesId, cpuId);

    // Once the user dismissed it, the next alert is a new notification.
    server->click(cpuId, QStringLiteral("dismissed"));
    sync();
    cpu({10, 95, 95, 95});
    ASSERT_EQ(notified().size(), 4);
    EXPECT_EQ(notified()[3].replacesId, 0u);
}

TEST_F(AlertNotifications, argumentsRoundHalvesAwayAndTruncateThresholds)
{
    struct Case {
        const char* what;
        double mem;
        double threshold;
        const char* body;
    };
    const Case cases[] = {
        {"84.5 shows 85", 84.5, 80, "Memory use is at 85% (alert threshold 80%)."},
        {"80.9 shows 80", 90.2, 80.9, "Memory use is at 90% (alert threshold 80%)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings.memThreshold = c.threshold;
        AlertManager fresh(*center, [this] { return settings; });
        for (int i = 0; i < 3; ++i)
            fresh.evaluate(0, c.mem, std::nullopt);
        sync();
        ASSERT_FALSE(notified().isEmpty());
        EXPECT_EQ(notified().last().body, QString::fromUtf8(c.body));
    }
}

TEST_F(AlertNotifications, temperatureInFahrenheitAndMissingReadingsLeaveTheCountAlone)
{
    settings.tempThreshold = 85;
    settings.tempUnit = TempUnit::Fahrenheit;
    alerts->evaluate(10, 10, 90.0);
    alerts->evaluate(10, 10, 90.0);
    alerts->evaluate(10, 10, std::nullopt);
    alerts->evaluate(10, 10, std::nullopt);
    EXPECT_EQ(alerts->state(AlertManager::Metric::Temperature), (AlertManager::State{2, false}));
    alerts->evaluate(10, 10, 90.0);
    sync();
    ASSERT_EQ(notified().size(), 1);
    EXPECT_EQ(notified()[0].summary, QStringLiteral("High CPU temperature"));
    EXPECT_EQ(notified()[0].body,
              QString::fromUtf8("CPU temperature is 194° (alert threshold 185°)."));
}

TEST_F(AlertNotifications, switchedOffNothingCountsAndSwitchedOnItContinues)
{
    cpu({95, 95});
    settings.enabled = false;
    cpu({95, 95, 95, 10, 10});
    EXPECT_EQ(alerts->state(AlertManager::Metric::Cpu), (AlertManager::State{2, false}));
    settings.enabled = true;
    EXPECT_TRUE(notified().isEmpty());
    cpu({95});
    EXPECT_EQ(notified().size(), 1);
}

TEST_F(AlertNotifications, clickingAnAlertOpensThePanelAndActivationWithdrawsOldOnes)
{
    int opened = 0;
    alerts->setPanelOpener([&opened] { ++opened; });
    alerts->activate();
    cpu({95, 95, 95});
    ASSERT_EQ(notified().size(), 1);

    server->click(notified()[0].id + 100); // someone else's notification
    server->click(notified()[0].id);
    ASSERT_TRUE(waitFor([&] { return opened > 0; }));
    sync();
    EXPECT_EQ(opened, 1);

    // A new run's activation withdraws what this one still shows.
    settings.memThreshold = 50;
    cpu({10, 95, 95, 95});
    for (int i = 0; i < 3; ++i)
        alerts->evaluate(10, 60, std::nullopt);
    sync();
    ASSERT_EQ(notified().size(), 3);
    alerts->activate();
    sync();
    QList<uint> closed = server->closed();
    std::sort(closed.begin(), closed.end());
    EXPECT_EQ(closed, (QList<uint>{notified()[1].id, notified()[2].id}));
}

TEST_F(AlertNotifications, permissionIsGrantedByARunningServiceAndRefusedWithout)
{
    std::optional<bool> granted;
    alerts->requestAuthorization([&granted](bool g) { granted = g; });
    ASSERT_TRUE(waitFor([&] { return granted.has_value(); }));
    EXPECT_TRUE(*granted);
    EXPECT_EQ(server->capabilityCalls(), 1);

    // The same bus without a notification service.
    PrivateBus silentBus;
    DesktopNotifications silent(silentBus.connect(uniqueName("silent")), {});
    granted.reset();
    silent.requestAuthorization([&granted](bool g) { granted = g; });
    ASSERT_TRUE(waitFor([&] { return granted.has_value(); }));
    EXPECT_FALSE(*granted);

    // No session bus at all.
    DesktopNotifications unconnected(QDBusConnection(QStringLiteral("never-connected")), {});
    granted.reset();
    NotificationCenter::Request request;
    request.identifier = QStringLiteral("alert.cpu");
    unconnected.add(request);
    unconnected.requestAuthorization([&granted](bool g) { granted = g; });
    ASSERT_TRUE(waitFor([&] { return granted.has_value(); }));
    EXPECT_FALSE(*granted);
}

TEST_F(AlertNotifications, settingsStoreRevertsTheAlertSwitchWhenNotificationsAreRefused)
{
    struct Case {
        const char* what;
        bool withService;
        bool staysOn;
    };
    for (const Case& c : {Case{"service present", true, true}, Case{"no service", false, false}}) {
        SCOPED_TRACE(c.what);
        PrivateBus ownBus;
        std::unique_ptr<NotificationServer> ownServer;
        if (c.withService)
            ownServer = std::make_unique<NotificationServer>(ownBus.connect(uniqueName("srv")));
        DesktopNotifications notifications(ownBus.connect(uniqueName("app")), {});
        AlertManager manager(notifications, [] { return AlertSettings{}; });

        QTemporaryDir dir;
        Preferences prefs(dir.filePath(QStringLiteral("preferences.json")));
        FakeAutostartEntry entry;
        LaunchAtLogin launch(entry);
        SettingsHooks hooks;
        bool answered = false;
        hooks.requestNotificationAuthorization = [&](std::function<void(bool)> completion) {
            manager.requestAuthorization([&answered, completion](bool granted) {
                completion(granted);
                answered = true;
            });
        };
        SettingsManager store(prefs, launch, hooks);
        LogWatch log;
        store.setAlertsEnabled(true);
        ASSERT_TRUE(waitFor([&] { return answered; }));
        spinEventLoop(20); // the store applies the answer from the event loop
        EXPECT_EQ(store.alertsEnabled(), c.staysOn);
        EXPECT_EQ(prefs.boolValue(QStringLiteral("alertsEnabled")), c.staysOn);
        EXPECT_EQ(log.lines().contains(
                      QStringLiteral("Notification permission denied; alert toggle reverted")),
                  !c.staysOn);
    }
}

TEST_F(AlertNotifications, userNoticesShowOnceWithoutActionOrSound)
{
    UserNotices notices(*center);
    notices.show(QStringLiteral("Preferences reset"), QStringLiteral("Kept aside as x"));
    notices.show(QStringLiteral("Preferences reset"), QStringLiteral("Kept aside as x"));
    notices.show(QStringLiteral("Preferences not saved"), QStringLiteral("Read-only folder"));
    sync();
    ASSERT_EQ(notified().size(), 2);
    EXPECT_EQ(notified()[0].summary, QStringLiteral("Preferences reset"));
    EXPECT_TRUE(notified()[0].actions.isEmpty());
    EXPECT_FALSE(notified()[0].hints.contains(QStringLiteral("sound-name")));
    EXPECT_EQ(notified()[1].replacesId, 0u);
}

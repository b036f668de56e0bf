// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/SettingsManager.h"
#include "app/settings/LaunchAtLogin.h"
#include "platform/Preferences.h"

#include "tests/support/FakeAutostartEntry.h"
#include "tests/support/LogWatch.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QVariant>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

using Metrics = QList<MenuBarMetric>;
constexpr MenuBarMetric Cpu = MenuBarMetric::Cpu;
constexpr MenuBarMetric Memory = MenuBarMetric::Memory;
constexpr MenuBarMetric Network = MenuBarMetric::Network;

// Raw values for our own types, so a failing case shows what was loaded.
QString describe(const QVariant& value)
{
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<MenuBarMode>())
        return rawValue(value.value<MenuBarMode>());
    if (type == QMetaType::fromType<NotchMode>())
        return rawValue(value.value<NotchMode>());
    if (type == QMetaType::fromType<TempUnit>())
        return rawValue(value.value<TempUnit>());
    QStringList raws;
    if (type == QMetaType::fromType<Metrics>()) {
        for (MenuBarMetric metric : value.value<Metrics>())
            raws.append(rawValue(metric));
        return QLatin1Char('[') + raws.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    if (type == QMetaType::fromType<QSet<PanelModule>>()) {
        for (PanelModule module : value.value<QSet<PanelModule>>())
            raws.append(rawValue(module));
        raws.sort();
        return QLatin1Char('{') + raws.join(QLatin1Char(',')) + QLatin1Char('}');
    }
    QString text;
    QDebug(&text) << value;
    return text;
}

QJsonArray strings(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

} // namespace

class SettingsManagerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preferences.json"));
    test::FakeAutostartEntry entry;
    LaunchAtLogin launch{entry};
    QStringList hookCalls;
    // Answers a permission request; when empty the request stays unanswered.
    std::function<void(std::function<void(bool)>)> authorize;
    std::unique_ptr<Preferences> prefs;

    void store(const QJsonObject& values)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(values).toJson());
    }
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // What a fresh read of the file holds, so only values that reached the disk count.
    // What is on disk once the current user action has been written.
    QJsonValue stored(const QString& key) const
    {
        if (prefs)
            prefs->flush();
        return Preferences(path).value(key);
    }

    std::unique_ptr<SettingsManager> make()
    {
        prefs = std::make_unique<Preferences>(path);
        SettingsHooks hooks;
        hooks.setMonitorInterval = [this](double seconds) {
            hookCalls.append(QStringLiteral("setMonitorInterval ") + QString::number(seconds));
        };
        hooks.applyEffectiveInterval = [this] {
            hookCalls.append(QStringLiteral("applyEffectiveInterval"));
        };
        hooks.requestNotificationAuthorization = [this](std::function<void(bool)> completion) {
            hookCalls.append(QStringLiteral("requestNotificationAuthorization"));
            if (authorize)
                authorize(std::move(completion));
        };
        return std::make_unique<SettingsManager>(*prefs, launch, hooks);
    }
};

TEST_F(SettingsManagerTest, emptyDomainLoadsTheDefaultsAndWritesNothing)
{
    const auto s = make();
    EXPECT_EQ(s->refreshInterval(), 2);
    EXPECT_EQ(s->menuBarMode(), MenuBarMode::Icon);
    EXPECT_EQ(s->menuBarMetrics(), (Metrics{Cpu, Memory}));
    EXPECT_FALSE(s->showNetSpeed());
    EXPECT_TRUE(s->menuBarShowIcon());
    EXPECT_EQ(s->notchMode(), NotchMode::Auto);
    EXPECT_EQ(s->processRowCount(), 12);
    EXPECT_TRUE(s->showCoreStrip());
    EXPECT_TRUE(s->hiddenModules().isEmpty());
    EXPECT_EQ(s->tempUnit(), TempUnit::Celsius);
    EXPECT_FALSE(s->launchAtLogin());
    EXPECT_FALSE(s->alertsEnabled());
    EXPECT_EQ(s->cpuAlarmThreshold(), 85);
    EXPECT_EQ(s->memAlarmThreshold(), 90);
    EXPECT_EQ(s->tempAlarmThreshold(), 85);
    EXPECT_TRUE(s->killWhitelist().isEmpty());
    EXPECT_FALSE(s->comfortEnabled());
    EXPECT_EQ(s->comfortTargetC(), 38);
    EXPECT_TRUE(s->updateAutoCheck());
    EXPECT_TRUE(s->isFirstRun());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(hookCalls.isEmpty());

    s->markLaunched();
    EXPECT_FALSE(s->isFirstRun());
    EXPECT_EQ(stored(QStringLiteral("hasLaunchedBefore")), QJsonValue(true));
}

// One stored key at a time: what the property loads as. Values of the wrong kind give the
// key's default.
TEST_F(SettingsManagerTest, loadingValidatesEveryKey)
{
    struct Case {
        const char* key;
        QJsonValue value;
        const char* property;
        QVariant expected;
    };
    const QJsonValue absent;
    const Case cases[] = {
        {"refreshInterval", 1, "refreshInterval", 1.0},
        {"refreshInterval", 5, "refreshInterval", 5.0},
        {"refreshInterval", 3, "refreshInterval", 2.0},
        {"refreshInterval", 0.5, "refreshInterval", 2.0},
        {"refreshInterval", QStringLiteral("5"), "refreshInterval", 2.0},
        {"refreshInterval", true, "refreshInterval", 2.0},
        {"menuBarStyle", QStringLiteral("text"), "menuBarMode",
         QVariant::fromValue(MenuBarMode::Text)},
        {"menuBarStyle", QStringLiteral("Text"), "menuBarMode",
         QVariant::fromValue(MenuBarMode::Icon)},
        {"menuBarStyle", 1, "menuBarMode", QVariant::fromValue(MenuBarMode::Icon)},
        {"menuBarShowIcon", false, "menuBarShowIcon", false},
        {"menuBarShowIcon", 0, "menuBarShowIcon", true},
        {"menuBarShowIcon", QStringLiteral("false"), "menuBarShowIcon", true},
        {"notchMode", QStringLiteral("always"), "notchMode",
         QVariant::fromValue(NotchMode::Always)},
        {"notchMode", QStringLiteral("off"), "notchMode", QVariant::fromValue(NotchMode::Off)},
        {"notchMode", QStringLiteral("sometimes"), "notchMode",
         QVariant::fromValue(NotchMode::Auto)},
        {"processRowCount", 6, "processRowCount", 6},
        {"processRowCount", 8, "processRowCount", 8},
        {"processRowCount", 7, "processRowCount", 12},
        {"processRowCount", 100, "processRowCount", 12},
        {"processRowCount", QStringLiteral("8"), "processRowCount", 12},
        {"showCoreStrip", false, "showCoreStrip", false},
        {"showCoreStrip", absent, "showCoreStrip", true},
        {"hiddenModules",
         strings({QStringLiteral("thermal"), QStringLiteral("cpu"), QStringLiteral("gpu")}),
         "hiddenModules",
         QVariant::fromValue(QSet<PanelModule>{PanelModule::Thermal, PanelModule::Gpu})},
        {"hiddenModules", QStringLiteral("gpu"), "hiddenModules",
         QVariant::fromValue(QSet<PanelModule>{})},
        {"tempUnit", QStringLiteral("fahrenheit"), "tempUnit",
         QVariant::fromValue(TempUnit::Fahrenheit)},
        {"tempUnit", QStringLiteral("kelvin"), "tempUnit", QVariant::fromValue(TempUnit::Celsius)},
        {"alertsEnabled", true, "alertsEnabled", true},
        {"alertsEnabled", 1, "alertsEnabled", false},
        {"cpuAlarm", 70, "cpuAlarmThreshold", 70.0},
        {"cpuAlarm", 0, "cpuAlarmThreshold", 85.0},
        {"cpuAlarm", -5, "cpuAlarmThreshold", 85.0},
        {"memAlarm", 0.1, "memAlarmThreshold", 0.1},
        {"memAlarm", QStringLiteral("80"), "memAlarmThreshold", 90.0},
        {"tempAlarm", 0, "tempAlarmThreshold", 85.0},
        {"tempAlarm", 95, "tempAlarmThreshold", 95.0},
        {"killWhitelist", strings({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b")}),
         "killWhitelist",
         QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b")}},
        {"killWhitelist", QJsonArray{QStringLiteral("a"), 1}, "killWhitelist", QStringList()},
        {"comfortEnabled", true, "comfortEnabled", true},
        {"comfortTargetC", 35, "comfortTargetC", 35.0},
        {"comfortTargetC", 42, "comfortTargetC", 42.0},
        {"comfortTargetC", 34.5, "comfortTargetC", 38.0},
        {"comfortTargetC", 43, "comfortTargetC", 38.0},
        {"updateAutoCheck", false, "updateAutoCheck", false},
        {"updateAutoCheck", QJsonValue(QJsonValue::Null), "updateAutoCheck", true},
        {"menuBarMetrics",
         strings({QStringLiteral("network"), QStringLiteral("bogus"), QStringLiteral("cpu")}),
         "menuBarMetrics", QVariant::fromValue(Metrics{Cpu, Network})},
        {"menuBarMetrics", strings({QStringLiteral("bogus")}), "menuBarMetrics",
         QVariant::fromValue(Metrics{Cpu, Memory})},
        {"menuBarMetrics", strings({}), "menuBarMetrics",
         QVariant::fromValue(Metrics{Cpu, Memory})},
        {"menuBarMetrics",
         strings({QStringLiteral("memory"), QStringLiteral("cpu"), QStringLiteral("memory")}),
         "menuBarMetrics", QVariant::fromValue(Metrics{Cpu, Memory, Memory})},
        {"menuBarMetrics", strings({QStringLiteral("network")}), "showNetSpeed", true},
    };
    for (const Case& c : cases) {
        const QString trace =
            QLatin1String(c.key) + QStringLiteral(" = ") +
            QString::fromUtf8(QJsonDocument(QJsonArray{c.value}).toJson(QJsonDocument::Compact));
        SCOPED_TRACE(trace.toStdString());
        QJsonObject values;
        if (!c.value.isUndefined())
            values.insert(QLatin1String(c.key), c.value);
        store(values);
        const QByteArray before = fileBytes();
        const auto s = make();
        const QVariant loaded = s->property(c.property);
        EXPECT_TRUE(loaded == c.expected) << describe(loaded).toStdString() << " instead of "
                                          << describe(c.expected).toStdString();
        EXPECT_EQ(fileBytes(), before); // loading writes nothing back
    }
}

TEST_F(SettingsManagerTest, oldNetworkSwitchSeedsTheMetricsUntilAListIsStored)
{
    struct Case {
        const char* name;
        QJsonObject values;
        Metrics metrics;
    };
    const Case cases[] = {
        {"switch on", {{QStringLiteral("showNetSpeed"), true}}, {Cpu, Memory, Network}},
        {"switch off", {{QStringLiteral("showNetSpeed"), false}}, {Cpu, Memory}},
        {"not a Boolean", {{QStringLiteral("showNetSpeed"), 1}}, {Cpu, Memory}},
        {"list wins",
         {{QStringLiteral("showNetSpeed"), true},
          {QStringLiteral("menuBarMetrics"), strings({QStringLiteral("memory")})}},
         {Memory}},
        {"list of another kind",
         {{QStringLiteral("showNetSpeed"), true},
          {QStringLiteral("menuBarMetrics"), QStringLiteral("cpu")}},
         {Cpu, Memory, Network}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store(c.values);
        const auto s = make();
        EXPECT_EQ(s->menuBarMetrics(), c.metrics);
        EXPECT_EQ(s->showNetSpeed(), c.metrics.contains(Network));
        EXPECT_EQ(stored(QStringLiteral("menuBarMetrics")),
                  c.values.value(QStringLiteral("menuBarMetrics")));
    }
}

TEST_F(SettingsManagerTest, everyAssignmentNotifiesBeforeItsHookAndIsStored)
{
    const auto s = make();
    QStringList events;
    QObject::connect(s.get(), &SettingsManager::refreshIntervalChanged, [&] {
        events.append(QStringLiteral("changed, stored ") +
                      QString::number(prefs->doubleValue(QStringLiteral("refreshInterval"))));
    });
    hookCalls.clear();
    s->setRefreshInterval(5);
    s->setRefreshInterval(5); // unchanged: notified and handed on again
    EXPECT_EQ(events, (QStringList{QStringLiteral("changed, stored 0"),
                                   QStringLiteral("changed, stored 5")}));
    EXPECT_EQ(hookCalls, (QStringList{QStringLiteral("setMonitorInterval 5"),
                                      QStringLiteral("setMonitorInterval 5")}));
    EXPECT_EQ(stored(QStringLiteral("refreshInterval")), QJsonValue(5));

    // Assignments are stored as given; validation happens only at the next load.
    s->setComfortTargetC(50);
    s->setProcessRowCount(7);
    s->setNotchMode(NotchMode::Always);
    s->setTempUnit(TempUnit::Fahrenheit);
    s->setMenuBarShowIcon(false);
    s->setCpuAlarmThreshold(70);
    EXPECT_EQ(stored(QStringLiteral("comfortTargetC")), QJsonValue(50));
    EXPECT_EQ(stored(QStringLiteral("processRowCount")), QJsonValue(7));
    EXPECT_EQ(stored(QStringLiteral("notchMode")), QJsonValue(QStringLiteral("always")));
    EXPECT_EQ(stored(QStringLiteral("tempUnit")), QJsonValue(QStringLiteral("fahrenheit")));
    EXPECT_EQ(stored(QStringLiteral("menuBarShowIcon")), QJsonValue(false));
    EXPECT_EQ(stored(QStringLiteral("cpuAlarm")), QJsonValue(70));
    const auto reloaded = make();
    EXPECT_EQ(reloaded->comfortTargetC(), 38);
    EXPECT_EQ(reloaded->processRowCount(), 12);
    EXPECT_EQ(reloaded->notchMode(), NotchMode::Always);
}

TEST_F(SettingsManagerTest, networkSwitchAndMetricListStayInStep)
{
    const auto s = make();
    s->setShowNetSpeed(true);
    EXPECT_EQ(s->menuBarMetrics(), (Metrics{Cpu, Memory, Network}));
    EXPECT_EQ(stored(QStringLiteral("menuBarMetrics")),
              QJsonValue(strings(
                  {QStringLiteral("cpu"), QStringLiteral("memory"), QStringLiteral("network")})));

    s->setMenuBarMetrics({Memory});
    EXPECT_FALSE(s->showNetSpeed());
    EXPECT_EQ(stored(QStringLiteral("showNetSpeed")), QJsonValue(false));

    s->setMenuBarMetric(Network, true);
    s->setMenuBarMetric(Cpu, true);
    EXPECT_EQ(s->menuBarMetrics(), (Metrics{Cpu, Memory, Network})); // kept in display order
    EXPECT_TRUE(s->showNetSpeed());
    EXPECT_EQ(stored(QStringLiteral("showNetSpeed")), QJsonValue(true));

    s->setShowNetSpeed(false);
    EXPECT_EQ(s->menuBarMetrics(), (Metrics{Cpu, Memory}));
    EXPECT_TRUE(s->isMenuBarMetricVisible(Cpu));
    EXPECT_FALSE(s->isMenuBarMetricVisible(Network));
}

TEST_F(SettingsManagerTest, theLastMetricCannotBeSwitchedOff)
{
    const auto s = make();
    s->setMenuBarMetrics({Network});
    int switchNotes = 0;
    QObject::connect(s.get(), &SettingsManager::showNetSpeedChanged, [&] { ++switchNotes; });

    s->setShowNetSpeed(false);
    EXPECT_EQ(s->menuBarMetrics(), Metrics{Network});
    EXPECT_TRUE(s->showNetSpeed());
    EXPECT_EQ(switchNotes, 2); // off, then back on so the switch flips back
    EXPECT_EQ(stored(QStringLiteral("showNetSpeed")), QJsonValue(true));

    int listNotes = 0;
    QObject::connect(s.get(), &SettingsManager::menuBarMetricsChanged, [&] { ++listNotes; });
    s->setMenuBarMetric(Network, false);
    EXPECT_EQ(s->menuBarMetrics(), Metrics{Network});
    EXPECT_EQ(listNotes, 0);
}

TEST_F(SettingsManagerTest, textModeWithNoMetricsRestoresTheDefaultPair)
{
    const auto s = make();
    s->setMenuBarMetrics({});
    hookCalls.clear();
    s->setMenuBarMode(MenuBarMode::Text);
    EXPECT_EQ(s->menuBarMetrics(), (Metrics{Cpu, Memory}));
    EXPECT_EQ(stored(QStringLiteral("menuBarStyle")), QJsonValue(QStringLiteral("text")));
    EXPECT_EQ(stored(QStringLiteral("menuBarMetrics")),
              QJsonValue(strings({QStringLiteral("cpu"), QStringLiteral("memory")})));
    EXPECT_EQ(hookCalls, QStringList{QStringLiteral("applyEffectiveInterval")});

    s->setMenuBarMetrics({Network});
    s->setMenuBarMode(MenuBarMode::Text);
    EXPECT_EQ(s->menuBarMetrics(), Metrics{Network});
}

TEST_F(SettingsManagerTest, hiddenModulesAreStoredSorted)
{
    const auto s = make();
    int notes = 0;
    QObject::connect(s.get(), &SettingsManager::hiddenModulesChanged, [&] { ++notes; });
    s->setVisible(PanelModule::Thermal, false);
    s->setVisible(PanelModule::Gpu, false);
    s->setVisible(PanelModule::Processes, false);
    EXPECT_EQ(stored(QStringLiteral("hiddenModules")),
              QJsonValue(strings({QStringLiteral("gpu"), QStringLiteral("processes"),
                                  QStringLiteral("thermal")})));
    EXPECT_FALSE(s->isVisible(PanelModule::Gpu));
    EXPECT_TRUE(s->isVisible(PanelModule::Memory));

    s->setVisible(PanelModule::Processes, true);
    s->setVisible(PanelModule::Memory, true); // already visible: still stored and notified
    EXPECT_EQ(stored(QStringLiteral("hiddenModules")),
              QJsonValue(strings({QStringLiteral("gpu"), QStringLiteral("thermal")})));
    EXPECT_EQ(notes, 5);
}

TEST_F(SettingsManagerTest, loginItemThatDoesNotTakeFlipsTheSwitchBack)
{
    struct Case {
        const char* name;
        QString refusal;
        AutostartStatus afterEnable;
        QString logLine;
    };
    const Case cases[] = {
        {"refused", QStringLiteral("autostart folder is read-only"), AutostartStatus::Enabled,
         QStringLiteral("Failed to enable launch at login: autostart folder is read-only")},
        {"needs approval", QString(), AutostartStatus::RequiresApproval,
         QStringLiteral("Launch at login enabled successfully; status=requiresApproval")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        entry = test::FakeAutostartEntry();
        entry.refusal = c.refusal;
        entry.afterEnable = c.afterEnable;
        const auto s = make();
        QList<bool> seen;
        QObject::connect(s.get(), &SettingsManager::launchAtLoginChanged,
                         [&] { seen.append(s->launchAtLogin()); });
        const test::LogWatch log;
        s->setLaunchAtLogin(true);
        EXPECT_FALSE(s->launchAtLogin());
        EXPECT_EQ(seen, (QList<bool>{true, false}));
        EXPECT_EQ(entry.enableCalls, 1);
        EXPECT_EQ(entry.disableCalls, 0); // the revert registers nothing
        EXPECT_EQ(log.lines(), QStringList{c.logLine});
        EXPECT_FALSE(prefs->contains(QStringLiteral("launchAtLogin")));
    }
}

TEST_F(SettingsManagerTest, loginItemMirrorsTheSystemWithoutRegistering)
{
    entry.current = AutostartStatus::Enabled;
    const auto s = make();
    EXPECT_TRUE(s->launchAtLogin());

    int notes = 0;
    QObject::connect(s.get(), &SettingsManager::launchAtLoginChanged, [&] { ++notes; });
    s->refreshLaunchAtLogin();
    EXPECT_EQ(notes, 0);

    entry.current = AutostartStatus::NotRegistered; // changed outside the application
    s->refreshLaunchAtLogin();
    EXPECT_FALSE(s->launchAtLogin());
    EXPECT_EQ(notes, 1);
    EXPECT_EQ(entry.enableCalls + entry.disableCalls, 0);

    s->setLaunchAtLogin(true);
    EXPECT_TRUE(s->launchAtLogin());
    EXPECT_EQ(entry.current, AutostartStatus::Enabled);
}

TEST_F(SettingsManagerTest, refusedNotificationPermissionRevertsTheAlertSwitch)
{
    authorize = [](std::function<void(bool)> completion) { completion(false); };
    const auto s = make();
    hookCalls.clear();
    const test::LogWatch log;

    s->setAlertsEnabled(true);
    // The answer is applied after the assignment has finished, not inside it.
    EXPECT_TRUE(s->alertsEnabled());
    EXPECT_EQ(stored(QStringLiteral("alertsEnabled")), QJsonValue(true));
    EXPECT_TRUE(log.lines().isEmpty());

    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(s->alertsEnabled());
    EXPECT_EQ(stored(QStringLiteral("alertsEnabled")), QJsonValue(false));
    EXPECT_EQ(log.lines(),
              QStringList{QStringLiteral("Notification permission denied; alert toggle reverted")});
    EXPECT_EQ(hookCalls, (QStringList{QStringLiteral("applyEffectiveInterval"),
                                      QStringLiteral("requestNotificationAuthorization"),
                                      QStringLiteral("applyEffectiveInterval")}));
}

TEST_F(SettingsManagerTest, grantedPermissionKeepsAlertsOn)
{
    authorize = [](std::function<void(bool)> completion) { completion(true); };
    const auto s = make();
    const test::LogWatch log;
    s->setAlertsEnabled(true);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(s->alertsEnabled());
    EXPECT_TRUE(log.lines().isEmpty());

    // Switching off asks nothing.
    hookCalls.clear();
    s->setAlertsEnabled(false);
    EXPECT_EQ(hookCalls, QStringList{QStringLiteral("applyEffectiveInterval")});
}

TEST_F(SettingsManagerTest, lateAnswerAfterTheStoreIsGoneIsDropped)
{
    std::function<void(bool)> pending;
    authorize = [&](std::function<void(bool)> completion) { pending = std::move(completion); };
    auto s = make();
    s->setAlertsEnabled(true);
    ASSERT_TRUE(pending);

    // Answered while alive but delivered after destruction.
    pending(false);
    s.reset();
    QCoreApplication::sendPostedEvents();
    // Answered after destruction.
    pending(false);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(stored(QStringLiteral("alertsEnabled")), QJsonValue(true));
}

TEST_F(SettingsManagerTest, preauthorizedNamesAreAddedOnceAndMatchExactly)
{
    store({{QStringLiteral("killWhitelist"), strings({QStringLiteral("Safari")})}});
    const auto s = make();
    int notes = 0;
    QObject::connect(s.get(), &SettingsManager::killWhitelistChanged, [&] { ++notes; });

    s->addPreauthorized(QStringLiteral("Safari"));
    EXPECT_EQ(notes, 0);
    s->addPreauthorized(QStringLiteral("cc1plus"));
    EXPECT_EQ(s->killWhitelist(),
              (QStringList{QStringLiteral("Safari"), QStringLiteral("cc1plus")}));
    EXPECT_EQ(stored(QStringLiteral("killWhitelist")),
              QJsonValue(strings({QStringLiteral("Safari"), QStringLiteral("cc1plus")})));
    EXPECT_EQ(notes, 1);
    EXPECT_TRUE(s->isPreauthorized(QStringLiteral("cc1plus")));
    EXPECT_FALSE(s->isPreauthorized(QStringLiteral("safari")));
    EXPECT_FALSE(s->isPreauthorized(QStringLiteral("cc1")));
}

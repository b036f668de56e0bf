// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/SettingsHooks.h"
#include "app/settings/SettingsTypes.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

namespace corvanite {

class LaunchAtLogin;
class Preferences;

// Every user preference, loaded and validated once at construction and written to the
// preferences store on every assignment. Each setter stores the value, emits its ...Changed
// signal (also when the value is unchanged) and then runs the property's change hook. Main
// thread only.
class SettingsManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(double refreshInterval READ refreshInterval WRITE setRefreshInterval NOTIFY
                   refreshIntervalChanged)
    Q_PROPERTY(
        MenuBarMode menuBarMode READ menuBarMode WRITE setMenuBarMode NOTIFY menuBarModeChanged)
    Q_PROPERTY(bool showNetSpeed READ showNetSpeed WRITE setShowNetSpeed NOTIFY showNetSpeedChanged)
    Q_PROPERTY(QList<MenuBarMetric> menuBarMetrics READ menuBarMetrics WRITE setMenuBarMetrics
                   NOTIFY menuBarMetricsChanged)
    Q_PROPERTY(bool menuBarShowIcon READ menuBarShowIcon WRITE setMenuBarShowIcon NOTIFY
                   menuBarShowIconChanged)
    Q_PROPERTY(NotchMode notchMode READ notchMode WRITE setNotchMode NOTIFY notchModeChanged)
    Q_PROPERTY(int processRowCount READ processRowCount WRITE setProcessRowCount NOTIFY
                   processRowCountChanged)
    Q_PROPERTY(
        bool showCoreStrip READ showCoreStrip WRITE setShowCoreStrip NOTIFY showCoreStripChanged)
    Q_PROPERTY(QSet<PanelModule> hiddenModules READ hiddenModules WRITE setHiddenModules NOTIFY
                   hiddenModulesChanged)
    Q_PROPERTY(TempUnit tempUnit READ tempUnit WRITE setTempUnit NOTIFY tempUnitChanged)
    Q_PROPERTY(
        bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(
        bool alertsEnabled READ alertsEnabled WRITE setAlertsEnabled NOTIFY alertsEnabledChanged)
    Q_PROPERTY(double cpuAlarmThreshold READ cpuAlarmThreshold WRITE setCpuAlarmThreshold NOTIFY
                   cpuAlarmThresholdChanged)
    Q_PROPERTY(double memAlarmThreshold READ memAlarmThreshold WRITE setMemAlarmThreshold NOTIFY
                   memAlarmThresholdChanged)
    Q_PROPERTY(double tempAlarmThreshold READ tempAlarmThreshold WRITE setTempAlarmThreshold NOTIFY
                   tempAlarmThresholdChanged)
    Q_PROPERTY(QStringList killWhitelist READ killWhitelist WRITE setKillWhitelist NOTIFY
                   killWhitelistChanged)
    Q_PROPERTY(bool comfortEnabled READ comfortEnabled WRITE setComfortEnabled NOTIFY
                   comfortEnabledChanged)
    Q_PROPERTY(double comfortTargetC READ comfortTargetC WRITE setComfortTargetC NOTIFY
                   comfortTargetCChanged)
    Q_PROPERTY(bool updateAutoCheck READ updateAutoCheck WRITE setUpdateAutoCheck NOTIFY
                   updateAutoCheckChanged)

public:
    SettingsManager(Preferences& prefs, LaunchAtLogin& launch, SettingsHooks hooks,
                    QObject* parent = nullptr);

    // Over the standard preferences, the real login item and the default hooks.
    static SettingsManager& shared();

    double refreshInterval() const { return m_refreshInterval; }
    MenuBarMode menuBarMode() const { return m_menuBarMode; }
    bool showNetSpeed() const { return m_showNetSpeed; }
    QList<MenuBarMetric> menuBarMetrics() const { return m_menuBarMetrics; }
    bool menuBarShowIcon() const { return m_menuBarShowIcon; }
    NotchMode notchMode() const { return m_notchMode; }
    int processRowCount() const { return m_processRowCount; }
    bool showCoreStrip() const { return m_showCoreStrip; }
    QSet<PanelModule> hiddenModules() const { return m_hiddenModules; }
    TempUnit tempUnit() const { return m_tempUnit; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    bool alertsEnabled() const { return m_alertsEnabled; }
    double cpuAlarmThreshold() const { return m_cpuAlarmThreshold; }
    double memAlarmThreshold() const { return m_memAlarmThreshold; }
    double tempAlarmThreshold() const { return m_tempAlarmThreshold; }
    QStringList killWhitelist() const { return m_killWhitelist; }
    bool comfortEnabled() const { return m_comfortEnabled; }
    double comfortTargetC() const { return m_comfortTargetC; }
    bool updateAutoCheck() const { return m_updateAutoCheck; }

    // Assignments are stored as given; only loading validates.
    void setRefreshInterval(double seconds);
    void setMenuBarMode(MenuBarMode mode);
    void setShowNetSpeed(bool on);
    void setMenuBarMetrics(const QList<MenuBarMetric>& metrics);
    void setMenuBarShowIcon(bool on);
    void setNotchMode(NotchMode mode);
    void setProcessRowCount(int rows);
    void setShowCoreStrip(bool on);
    void setHiddenModules(const QSet<PanelModule>& modules);
    void setTempUnit(TempUnit unit);
    void setLaunchAtLogin(bool on);
    void setAlertsEnabled(bool on);
    void setCpuAlarmThreshold(double percent);
    void setMemAlarmThreshold(double percent);
    void setTempAlarmThreshold(double celsius);
    void setKillWhitelist(const QStringList& names);
    void setComfortEnabled(bool on);
    void setComfortTargetC(double celsius);
    void setUpdateAutoCheck(bool on);

    // Adds or removes one metric, keeping the list in display order. Removing the last metric
    // is refused, so the list is never emptied here.
    void setMenuBarMetric(MenuBarMetric metric, bool on);
    bool isMenuBarMetricVisible(MenuBarMetric metric) const;

    bool isVisible(PanelModule module) const;
    void setVisible(PanelModule module, bool visible);

    // Exact, case-sensitive match.
    bool isPreauthorized(const QString& processName) const;
    // Appends a name not yet in the list; a name already present changes nothing.
    void addPreauthorized(const QString& processName);

    // Re-reads the login-item registration and mirrors it without registering anything.
    void refreshLaunchAtLogin();

    bool isFirstRun() const;
    void markLaunched();

Q_SIGNALS:
    void refreshIntervalChanged();
    void menuBarModeChanged();
    void showNetSpeedChanged();
    void menuBarMetricsChanged();
    void menuBarShowIconChanged();
    void notchModeChanged();
    void processRowCountChanged();
    void showCoreStripChanged();
    void hiddenModulesChanged();
    void tempUnitChanged();
    void launchAtLoginChanged();
    void alertsEnabledChanged();
    void cpuAlarmThresholdChanged();
    void memAlarmThresholdChanged();
    void tempAlarmThresholdChanged();
    void killWhitelistChanged();
    void comfortEnabledChanged();
    void comfortTargetCChanged();
    void updateAutoCheckChanged();

private:
    void load();
    void loadMenuBarMetrics();
    void applyNotificationAnswer(bool granted);

    Preferences& m_prefs;
    LaunchAtLogin& m_launch;
    SettingsHooks m_hooks;

    double m_refreshInterval = 2;
    MenuBarMode m_menuBarMode = MenuBarMode::Icon;
    bool m_showNetSpeed = false;
    QList<MenuBarMetric> m_menuBarMetrics;
    bool m_menuBarShowIcon = true;
    NotchMode m_notchMode = NotchMode::Auto;
    int m_processRowCount = 12;
    bool m_showCoreStrip = true;
    bool m_isSyncingMenuBar = false;
    QSet<PanelModule> m_hiddenModules;
    TempUnit m_tempUnit = TempUnit::Celsius;
    bool m_launchAtLogin = false;
    bool m_isSyncingLaunch = false;
    bool m_alertsEnabled = false;
    bool m_isSyncingAlerts = false;
    double m_cpuAlarmThreshold = 85;
    double m_memAlarmThreshold = 90;
    double m_tempAlarmThreshold = 85;
    QStringList m_killWhitelist;
    bool m_comfortEnabled = false;
    double m_comfortTargetC = 38;
    bool m_updateAutoCheck = true;
};

} // namespace corvanite

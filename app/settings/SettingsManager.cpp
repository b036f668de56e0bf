// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/SettingsManager.h"

#include "app/base/Log.h"
#include "app/settings/LaunchAtLogin.h"
#include "platform/Preferences.h"

#include <QPointer>

#include <algorithm>

namespace corvanite {

namespace {

const QString kRefreshInterval = QStringLiteral("refreshInterval");
const QString kMenuBarStyle = QStringLiteral("menuBarStyle");
const QString kShowNetSpeed = QStringLiteral("showNetSpeed");
const QString kMenuBarMetrics = QStringLiteral("menuBarMetrics");
const QString kMenuBarShowIcon = QStringLiteral("menuBarShowIcon");
const QString kNotchMode = QStringLiteral("notchMode");
const QString kProcessRowCount = QStringLiteral("processRowCount");
const QString kShowCoreStrip = QStringLiteral("showCoreStrip");
const QString kHiddenModules = QStringLiteral("hiddenModules");
const QString kTempUnit = QStringLiteral("tempUnit");
const QString kAlertsEnabled = QStringLiteral("alertsEnabled");
const QString kCpuAlarm = QStringLiteral("cpuAlarm");
const QString kMemAlarm = QStringLiteral("memAlarm");
const QString kTempAlarm = QStringLiteral("tempAlarm");
const QString kKillWhitelist = QStringLiteral("killWhitelist");
const QString kComfortEnabled = QStringLiteral("comfortEnabled");
const QString kComfortTargetC = QStringLiteral("comfortTargetC");
const QString kUpdateAutoCheck = QStringLiteral("updateAutoCheck");
const QString kHasLaunchedBefore = QStringLiteral("hasLaunchedBefore");

const QList<MenuBarMetric> kDefaultMetrics{MenuBarMetric::Cpu, MenuBarMetric::Memory};

void sortByDisplayOrder(QList<MenuBarMetric>& metrics)
{
    std::stable_sort(metrics.begin(), metrics.end(),
                     [](MenuBarMetric a, MenuBarMetric b) { return sortIndex(a) < sortIndex(b); });
}

// Sets a re-entry guard for the lifetime of the scope, then restores it.
class GuardScope {
public:
    explicit GuardScope(bool& guard)
        : m_guard(guard)
        , m_previous(guard)
    {
        m_guard = true;
    }
    ~GuardScope() { m_guard = m_previous; }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

private:
    bool& m_guard;
    const bool m_previous;
};

} // namespace

SettingsManager::SettingsManager(Preferences& prefs, LaunchAtLogin& launch, SettingsHooks hooks,
                                 QObject* parent)
    : QObject(parent)
    , m_prefs(prefs)
    , m_launch(launch)
    , m_hooks(std::move(hooks))
{
    load();
}

// Reads and validates every value; writes nothing back, so a stored value that is out of range
// stays as it is until the user assigns a new one.
void SettingsManager::load()
{
    m_launchAtLogin = m_launch.isEnabled();
    m_updateAutoCheck = m_prefs.storedBool(kUpdateAutoCheck).value_or(true);
    m_killWhitelist = m_prefs.stringArray(kKillWhitelist).value_or(QStringList());
    m_comfortEnabled = m_prefs.boolValue(kComfortEnabled);
    const double target = m_prefs.doubleValue(kComfortTargetC);
    m_comfortTargetC = target >= 35 && target <= 42 ? target : 38;
    const double interval = m_prefs.doubleValue(kRefreshInterval);
    m_refreshInterval = interval == 1 || interval == 5 ? interval : 2;
    m_menuBarMode = m_prefs.stringValue(kMenuBarStyle) == QLatin1String("text") ? MenuBarMode::Text
                                                                                : MenuBarMode::Icon;
    loadMenuBarMetrics();
    m_menuBarShowIcon = m_prefs.storedBool(kMenuBarShowIcon).value_or(true);
    m_notchMode = notchModeFromRaw(m_prefs.stringValue(kNotchMode).value_or(QString()))
                      .value_or(NotchMode::Auto);
    const qint64 rows = m_prefs.integerValue(kProcessRowCount);
    m_processRowCount = rows == 6 || rows == 8 ? static_cast<int>(rows) : 12;
    m_showCoreStrip = m_prefs.storedBool(kShowCoreStrip).value_or(true);
    m_hiddenModules.clear();
    for (const QString& raw : m_prefs.stringArray(kHiddenModules).value_or(QStringList())) {
        if (const auto module = panelModuleFromRaw(raw))
            m_hiddenModules.insert(*module);
    }
    m_tempUnit = m_prefs.stringValue(kTempUnit) == QLatin1String("fahrenheit")
                     ? TempUnit::Fahrenheit
                     : TempUnit::Celsius;
    m_alertsEnabled = m_prefs.boolValue(kAlertsEnabled);
    const auto threshold = [this](const QString& key, double fallback) {
        const double value = m_prefs.doubleValue(key);
        return value > 0 ? value : fallback;
    };
    m_cpuAlarmThreshold = threshold(kCpuAlarm, 85);
    m_memAlarmThreshold = threshold(kMemAlarm, 90);
    m_tempAlarmThreshold = threshold(kTempAlarm, 85);
}

// Older versions stored only the network switch; it seeds the list until a list is stored.
void SettingsManager::loadMenuBarMetrics()
{
    QList<MenuBarMetric> metrics = kDefaultMetrics;
    if (const auto stored = m_prefs.stringArray(kMenuBarMetrics)) {
        QList<MenuBarMetric> parsed;
        for (const QString& raw : *stored) {
            if (const auto metric = menuBarMetricFromRaw(raw))
                parsed.append(*metric);
        }
        if (!parsed.isEmpty()) {
            sortByDisplayOrder(parsed);
            metrics = parsed;
        }
    } else if (m_prefs.storedBool(kShowNetSpeed) == true) {
        metrics.append(MenuBarMetric::Network);
    }
    m_menuBarMetrics = metrics;
    m_showNetSpeed = metrics.contains(MenuBarMetric::Network);
}

// Hooks read the member rather than the argument: a subscriber may have assigned again while
// being notified, and the store must end up holding what the property holds.

void SettingsManager::setRefreshInterval(double seconds)
{
    m_refreshInterval = seconds;
    Q_EMIT refreshIntervalChanged();
    m_prefs.setDouble(kRefreshInterval, m_refreshInterval);
    if (m_hooks.setMonitorInterval)
        m_hooks.setMonitorInterval(m_refreshInterval);
}

void SettingsManager::setMenuBarMode(MenuBarMode mode)
{
    m_menuBarMode = mode;
    Q_EMIT menuBarModeChanged();
    m_prefs.setString(kMenuBarStyle, rawValue(m_menuBarMode));
    // Text mode with nothing to show would leave an empty status item.
    if (m_menuBarMode == MenuBarMode::Text && m_menuBarMetrics.isEmpty())
        setMenuBarMetrics(kDefaultMetrics);
    if (m_hooks.applyEffectiveInterval)
        m_hooks.applyEffectiveInterval();
}

void SettingsManager::setShowNetSpeed(bool on)
{
    m_showNetSpeed = on;
    Q_EMIT showNetSpeedChanged();
    m_prefs.setBool(kShowNetSpeed, m_showNetSpeed);
    if (m_isSyncingMenuBar)
        return;
    const GuardScope guard(m_isSyncingMenuBar);
    setMenuBarMetric(MenuBarMetric::Network, m_showNetSpeed);
    // Removing the network rate is refused when it is the only metric: follow the list.
    const bool listed = m_menuBarMetrics.contains(MenuBarMetric::Network);
    if (listed != m_showNetSpeed)
        setShowNetSpeed(listed);
}

void SettingsManager::setMenuBarMetrics(const QList<MenuBarMetric>& metrics)
{
    m_menuBarMetrics = metrics;
    Q_EMIT menuBarMetricsChanged();
    QStringList raw;
    for (MenuBarMetric metric : std::as_const(m_menuBarMetrics))
        raw.append(rawValue(metric));
    m_prefs.setStringArray(kMenuBarMetrics, raw);
    if (m_isSyncingMenuBar)
        return;
    const GuardScope guard(m_isSyncingMenuBar);
    const bool listed = m_menuBarMetrics.contains(MenuBarMetric::Network);
    if (listed != m_showNetSpeed)
        setShowNetSpeed(listed);
}

void SettingsManager::setMenuBarMetric(MenuBarMetric metric, bool on)
{
    QList<MenuBarMetric> metrics = m_menuBarMetrics;
    if (on) {
        if (metrics.contains(metric))
            return;
        metrics.append(metric);
        sortByDisplayOrder(metrics);
        setMenuBarMetrics(metrics);
        return;
    }
    metrics.removeAll(metric);
    if (!metrics.isEmpty())
        setMenuBarMetrics(metrics);
}

bool SettingsManager::isMenuBarMetricVisible(MenuBarMetric metric) const
{
    return m_menuBarMetrics.contains(metric);
}

void SettingsManager::setMenuBarShowIcon(bool on)
{
    m_menuBarShowIcon = on;
    Q_EMIT menuBarShowIconChanged();
    m_prefs.setBool(kMenuBarShowIcon, m_menuBarShowIcon);
}

void SettingsManager::setNotchMode(NotchMode mode)
{
    m_notchMode = mode;
    Q_EMIT notchModeChanged();
    m_prefs.setString(kNotchMode, rawValue(m_notchMode));
}

void SettingsManager::setProcessRowCount(int rows)
{
    m_processRowCount = rows;
    Q_EMIT processRowCountChanged();
    m_prefs.setInteger(kProcessRowCount, m_processRowCount);
}

void SettingsManager::setShowCoreStrip(bool on)
{
    m_showCoreStrip = on;
    Q_EMIT showCoreStripChanged();
    m_prefs.setBool(kShowCoreStrip, m_showCoreStrip);
}

void SettingsManager::setHiddenModules(const QSet<PanelModule>& modules)
{
    m_hiddenModules = modules;
    Q_EMIT hiddenModulesChanged();
    QStringList raw;
    for (PanelModule module : std::as_const(m_hiddenModules))
        raw.append(rawValue(module));
    // Sorted, so the stored form does not depend on the set's hashing.
    raw.sort();
    m_prefs.setStringArray(kHiddenModules, raw);
}

bool SettingsManager::isVisible(PanelModule module) const
{
    return !m_hiddenModules.contains(module);
}

void SettingsManager::setVisible(PanelModule module, bool visible)
{
    QSet<PanelModule> modules = m_hiddenModules;
    if (visible)
        modules.remove(module);
    else
        modules.insert(module);
    setHiddenModules(modules);
}

void SettingsManager::setTempUnit(TempUnit unit)
{
    m_tempUnit = unit;
    Q_EMIT tempUnitChanged();
    m_prefs.setString(kTempUnit, rawValue(m_tempUnit));
}

void SettingsManager::setLaunchAtLogin(bool on)
{
    m_launchAtLogin = on;
    Q_EMIT launchAtLoginChanged();
    if (m_isSyncingLaunch)
        return;
    if (m_launch.set(m_launchAtLogin))
        return;
    // The change did not take: show what the system really has.
    const bool real = m_launch.isEnabled();
    if (real != m_launchAtLogin) {
        const GuardScope guard(m_isSyncingLaunch);
        setLaunchAtLogin(real);
    }
}

void SettingsManager::refreshLaunchAtLogin()
{
    const bool real = m_launch.isEnabled();
    if (real == m_launchAtLogin)
        return;
    const GuardScope guard(m_isSyncingLaunch);
    setLaunchAtLogin(real);
}

void SettingsManager::setAlertsEnabled(bool on)
{
    m_alertsEnabled = on;
    Q_EMIT alertsEnabledChanged();
    m_prefs.setBool(kAlertsEnabled, m_alertsEnabled);
    if (m_hooks.applyEffectiveInterval)
        m_hooks.applyEffectiveInterval();
    if (!m_alertsEnabled || m_isSyncingAlerts || !m_hooks.requestNotificationAuthorization)
        return;
    // The answer is applied on the main thread, after this assignment has finished, and only
    // while the store still exists.
    const QPointer<SettingsManager> self(this);
    m_hooks.requestNotificationAuthorization([self](bool granted) {
        if (!self)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, granted] {
                if (self)
                    self->applyNotificationAnswer(granted);
            },
            Qt::QueuedConnection);
    });
}

void SettingsManager::applyNotificationAnswer(bool granted)
{
    if (granted)
        return;
    {
        const GuardScope guard(m_isSyncingAlerts);
        setAlertsEnabled(false);
    }
    Log::debug(QStringLiteral("Notification permission denied; alert toggle reverted"));
}

void SettingsManager::setCpuAlarmThreshold(double percent)
{
    m_cpuAlarmThreshold = percent;
    Q_EMIT cpuAlarmThresholdChanged();
    m_prefs.setDouble(kCpuAlarm, m_cpuAlarmThreshold);
}

void SettingsManager::setMemAlarmThreshold(double percent)
{
    m_memAlarmThreshold = percent;
    Q_EMIT memAlarmThresholdChanged();
    m_prefs.setDouble(kMemAlarm, m_memAlarmThreshold);
}

void SettingsManager::setTempAlarmThreshold(double celsius)
{
    m_tempAlarmThreshold = celsius;
    Q_EMIT tempAlarmThresholdChanged();
    m_prefs.setDouble(kTempAlarm, m_tempAlarmThreshold);
}

void SettingsManager::setKillWhitelist(const QStringList& names)
{
    m_killWhitelist = names;
    Q_EMIT killWhitelistChanged();
    m_prefs.setStringArray(kKillWhitelist, m_killWhitelist);
}

bool SettingsManager::isPreauthorized(const QString& processName) const
{
    return m_killWhitelist.contains(processName, Qt::CaseSensitive);
}

void SettingsManager::addPreauthorized(const QString& processName)
{
    if (isPreauthorized(processName))
        return;
    QStringList names = m_killWhitelist;
    names.append(processName);
    setKillWhitelist(names);
}

void SettingsManager::setComfortEnabled(bool on)
{
    m_comfortEnabled = on;
    Q_EMIT comfortEnabledChanged();
    m_prefs.setBool(kComfortEnabled, m_comfortEnabled);
}

void SettingsManager::setComfortTargetC(double celsius)
{
    m_comfortTargetC = celsius;
    Q_EMIT comfortTargetCChanged();
    m_prefs.setDouble(kComfortTargetC, m_comfortTargetC);
}

void SettingsManager::setUpdateAutoCheck(bool on)
{
    m_updateAutoCheck = on;
    Q_EMIT updateAutoCheckChanged();
    m_prefs.setBool(kUpdateAutoCheck, m_updateAutoCheck);
}

bool SettingsManager::isFirstRun() const
{
    return !m_prefs.boolValue(kHasLaunchedBefore);
}

void SettingsManager::markLaunched()
{
    m_prefs.setBool(kHasLaunchedBefore, true);
}

} // namespace corvanite

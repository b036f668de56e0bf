// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The application's shared services. Each is built here, on first use, over the real machine,
// and wired to the services it works with; the classes themselves only take what they are given.

#include "app/analysis/AlertManager.h"
#include "app/analysis/HistoryStore.h"
#include "app/analysis/HistoryWindowState.h"
#include "app/analysis/InsightEngine.h"
#include "app/analysis/PinStore.h"
#include "app/analysis/UserNotices.h"
#include "app/base/L10n.h"
#include "app/base/Log.h"
#include "app/comfort/FanController.h"
#include "app/comfort/FanHelperClient.h"
#include "app/comfort/SystemBusRegistration.h"
#include "app/menubar/MenuBarController.h"
#include "app/panel/PanelAnchor.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/PanelWindowController.h"
#include "app/panel/RootPanelView.h"
#include "app/panel/SkinManager.h"
#include "app/panel/settings/FirstRunTipWindow.h"
#include "app/panel/settings/SettingsWindow.h"
#include "app/panel/vitals/VitalsPanelView.h"
#include "app/process/PauseManager.h"
#include "app/process/ProcessTerminator.h"
#include "app/sampling/Monitor.h"
#include "app/sampling/PressureMonitor.h"
#include "app/sampling/ProcessDetailReader.h"
#include "app/sampling/ProcessVisualCache.h"
#include "app/sampling/SMC.h"
#include "app/sampling/ThermalReader.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "app/settings/UpdateChecker.h"
#include "app/shell/MachineSources.h"
#include "app/shell/Wiring.h"
#include "platform/Clock.h"
#include "platform/PlatformLog.h"
#include "platform/Preferences.h"
#include "platform/linux/DesktopApplications.h"
#include "platform/linux/DesktopNotifications.h"
#include "platform/linux/HwmonSmc.h"
#include "platform/linux/LinuxMemoryPressure.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "platform/linux/X11FrontmostApplication.h"
#include "platform/linux/XdgAutostartEntry.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSysInfo>
#include <QTimer>
#include <QUrl>
#include <unistd.h>

#include <cstdio>

namespace corvanite {

void routePlatformLogToLog()
{
    PlatformLog::setSink([](const QString& line) { Log::debug(line); });
}

namespace {
void tellUser(const QString& titleKey, const QString& bodyKey, const QString& path)
{
    const QString title = L(titleKey);
    const QString body = L(bodyKey, {path});
    std::fprintf(stderr, "Corvanite: %s. %s\n", title.toLocal8Bit().constData(),
                 body.toLocal8Bit().constData());
    UserNotices::shared().show(title, body);
}
} // namespace

void reportPreferencesProblems(Preferences& preferences)
{
    if (!preferences.setAsidePath().isEmpty())
        tellUser(QStringLiteral("notice.prefs.unreadable.title"),
                 QStringLiteral("notice.prefs.unreadable.body"), preferences.setAsidePath());
    if (!preferences.isWritable())
        tellUser(QStringLiteral("notice.prefs.unwritable.title"),
                 QStringLiteral("notice.prefs.unwritable.body"), preferences.filePath());
    preferences.setWriteFailureHandler([](const QString& path) {
        tellUser(QStringLiteral("notice.prefs.unwritable.title"),
                 QStringLiteral("notice.prefs.unwritable.body"), path);
    });
}

MonitorPolicy defaultMonitorPolicy()
{
    MonitorPolicy policy;
    policy.iconOnlyMenuBar = [] {
        return SettingsManager::shared().menuBarMode() == MenuBarMode::Icon;
    };
    policy.alertsEnabled = [] { return SettingsManager::shared().alertsEnabled(); };
    policy.wantsProcessScan = [] { return InsightEngine::shared().wantsProcessScan(); };
    policy.wantsTempSample = [] { return HistoryStore::shared().wantsTempSample(); };
    return policy;
}

TickConsumers defaultTickConsumers()
{
    TickConsumers consumers;
    consumers.memoryPressure = [](PressureLevel level) { PressureMonitor::shared().update(level); };
    consumers.evaluateAlerts = [](double cpu, double memPct, std::optional<double> cpuC) {
        AlertManager::shared().evaluate(cpu, memPct, cpuC);
    };
    consumers.recordHistory = [](double cpu, double memPct, std::optional<double> freshCpuC) {
        HistoryStore::shared().record(cpu, memPct, freshCpuC);
    };
    consumers.ingestInsights = [](const QList<ProcessSample>& processes,
                                  const std::optional<AssertionMap>& assertions) {
        InsightEngine::shared().ingest(processes, assertions);
    };
    consumers.reconcilePausedGroups = [] { PauseManager::shared().reconcile(); };
    consumers.recordPins = [](const QList<ProcessSample>& processes) {
        PinStore::shared().record(processes);
    };
    consumers.pruneIcons = [](const QSet<qint32>& livePids) {
        ProcessVisualCache::shared().prune(livePids);
    };
    return consumers;
}

NotificationCenter& sharedNotificationCenter()
{
    static auto* const center = new DesktopNotifications(
        QDBusConnection::sessionBus(),
        {QStringLiteral("Corvanite"), QStringLiteral("utilities-system-monitor"),
         QStringLiteral("com.corvanite.app")});
    return *center;
}

namespace {

ProcessInfo& machineProcessInfo()
{
    static LinuxProcessInfo info;
    return info;
}

ProcessSignals& machineProcessSignals()
{
    static PosixProcessSignals signaller;
    return signaller;
}

// EWMH over Qt's own X11 connection; other desktops (Wayland) do not say which window is in
// front, so nothing is ever frontmost there.
FrontmostApplication& machineFrontmostApplication()
{
    static const std::unique_ptr<FrontmostApplication> frontmost =
        []() -> std::unique_ptr<FrontmostApplication> {
        auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (gui && QGuiApplication::platformName() == QLatin1String("xcb")) {
            if (auto* x11 = gui->nativeInterface<QNativeInterface::QX11Application>()) {
                xcb_connection_t* connection = x11->connection();
                const xcb_setup_t* setup = connection ? xcb_get_setup(connection) : nullptr;
                if (setup) {
                    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
                    if (screen)
                        return std::make_unique<X11FrontmostApplication>(connection, screen->root);
                }
            }
        }
        return std::make_unique<NoFrontmostApplication>();
    }();
    return *frontmost;
}

} // namespace

PauseManager& PauseManager::shared()
{
    static PauseManager* const manager =
        new PauseManager(PauseManager::Dependencies{&machineProcessInfo(),
                                                    &machineProcessSignals(),
                                                    &Preferences::standard(),
                                                    &Clock::system(),
                                                    &machineFrontmostApplication(),
                                                    {}});
    return *manager;
}

ProcessTerminator& ProcessTerminator::shared()
{
    static ProcessTerminator terminator(
        machineProcessInfo(), machineProcessSignals(),
        [](int milliseconds, std::function<void()> job) {
            QTimer::singleShot(milliseconds, QCoreApplication::instance(), std::move(job));
        });
    return terminator;
}

PinStore& PinStore::shared()
{
    static PinStore store(Preferences::standard(), Clock::system());
    return store;
}

ProcessVisualCache& ProcessVisualCache::shared()
{
    // Kept for the life of the process: it watches the application folders on the event loop,
    // which is gone by the time static objects are destroyed.
    static auto* const applications =
        new DesktopApplications(DesktopApplications::standardDataDirs());
    static ProcessVisualCache cache(*applications);
    return cache;
}

SettingsHooks defaultSettingsHooks()
{
    SettingsHooks hooks;
    hooks.setMonitorInterval = [](double seconds) { Monitor::shared().setInterval(seconds); };
    hooks.applyEffectiveInterval = [] { Monitor::shared().applyEffectiveInterval(); };
    hooks.requestNotificationAuthorization = [](std::function<void(bool)> completion) {
        AlertManager::shared().requestAuthorization(std::move(completion));
    };
    return hooks;
}

MenuBarSampling sharedMenuBarSampling()
{
    return MenuBarSampling{
        [] {
            Monitor& monitor = Monitor::shared();
            const NetSample net = monitor.network();
            return MenuBarReadings{monitor.cpu().total, monitor.memory().usageFraction() * 100.0,
                                   net.downBps, net.upBps};
        },
        [](std::function<void()> onTick) { Monitor::shared().setOnTick(std::move(onTick)); },
        [](double interval) { Monitor::shared().start(interval); }};
}

MenuBarController::Dependencies sharedMenuBarDependencies()
{
    MenuBarController::Dependencies d;
    d.settings = &SettingsManager::shared();
    d.sampling = sharedMenuBarSampling();
    d.skins = &SkinManager::shared();
    d.panel = &PanelWindowController::shared();
    d.availableVersion = [] { return UpdateChecker::shared().availableVersion(); };
    d.openDownloadPage = [] { UpdateChecker::shared().openDownloadPage(); };
    d.openSettings = [] { SettingsWindow::show(sharedSettingsServices()); };
    d.showFirstRunTip = [](std::optional<QRect> anchor) {
        FirstRunTipWindow::showIfNeeded(SettingsManager::shared(), SkinManager::shared().skin(),
                                        anchor);
    };
    d.startAlerts = [](std::function<void()> openPanel) {
        AlertManager& alerts = AlertManager::shared();
        alerts.setPanelOpener(std::move(openPanel));
        alerts.activate();
    };
    return d;
}

Monitor& Monitor::shared()
{
    static Monitor* const instance = [] {
        auto* monitor = new Monitor(machineSources(), Clock::system(), defaultMonitorPolicy());
        monitor->setTickConsumers(defaultTickConsumers());
        // Never destroyed while the process runs; the worker is stopped when the event loop
        // ends so the process does not exit in the middle of a pass.
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QObject::connect(app, &QCoreApplication::aboutToQuit, monitor, [monitor] {
                monitor->stop();
                monitor->stopWorker();
            });
        }
        return monitor;
    }();
    return *instance;
}

HistoryStore& HistoryStore::shared()
{
    static HistoryStore store(Clock::system());
    return store;
}

InsightEngine& InsightEngine::shared()
{
    static InsightEngine engine(InsightEngine::Dependencies{
        &Clock::system(), [] { return Monitor::shared().lastProcesses(); },
        static_cast<qint32>(QCoreApplication::applicationPid())});
    return engine;
}

AlertManager& AlertManager::shared()
{
    static AlertManager manager(sharedNotificationCenter(), [] {
        const SettingsManager& s = SettingsManager::shared();
        return AlertSettings{s.alertsEnabled(), s.cpuAlarmThreshold(), s.memAlarmThreshold(),
                             s.tempAlarmThreshold(), s.tempUnit()};
    });
    return manager;
}

UserNotices& UserNotices::shared()
{
    static UserNotices notices(sharedNotificationCenter());
    return notices;
}

namespace {
FanHelperClient* g_fanHelperClient = nullptr;
} // namespace

FanHelperClient& FanHelperClient::shared()
{
    static FanHelperClient* const client = [] {
        // Never destroyed: the release sent at termination must not lose its connection.
        g_fanHelperClient = new FanHelperClient(
            std::make_unique<SystemBusRegistration>(SystemBusRegistration::layoutForThisProcess()));
        return g_fanHelperClient;
    }();
    return *client;
}

FanHelperClient* FanHelperClient::sharedIfBuilt()
{
    return g_fanHelperClient;
}

FanController& FanController::shared()
{
    static FanController* const controller = new FanController(FanController::Dependencies{
        &FanHelperClient::shared(),
        [](std::string_view key) { return SMC::shared().readValue(key); },
        [] {
            QStringList keys;
            for (const std::string_view key : ThermalReader::surfaceKeys)
                keys << QString::fromLatin1(key.data(), qsizetype(key.size()));
            return keys;
        }(),
        [] { return SettingsManager::shared().comfortEnabled(); },
        [](bool enabled) { SettingsManager::shared().setComfortEnabled(enabled); },
        [] { return SettingsManager::shared().comfortTargetC(); },
        [](double celsius) { SettingsManager::shared().setComfortTargetC(celsius); }});
    return *controller;
}

SMC& SMC::shared()
{
    // Kept for the life of the process: the sampling thread may still read through it at exit.
    static SMC* const instance = [] {
        auto device = std::make_unique<HwmonSmc>();
        Log::verbose([&] {
            const QStringList keys = device->describeKeys();
            return QStringLiteral("Sensor keys: %1")
                .arg(keys.isEmpty() ? QStringLiteral("none") : keys.join(QStringLiteral(", ")));
        });
        return new SMC(std::move(device));
    }();
    return *instance;
}

PressureMonitor& PressureMonitor::shared()
{
    static PressureMonitor* const instance = [] {
        auto* monitor = new PressureMonitor(std::make_unique<LinuxMemoryPressure>(),
                                            [] { return PsiTrigger::open(); });
        // The insight engine still holds the old level when it hears of a rise, so it names the
        // culprit first and takes the new level after.
        QObject::connect(monitor, &PressureMonitor::levelChanged, monitor,
                         [monitor] { InsightEngine::shared().setPressureLevel(monitor->level()); });
        return monitor;
    }();
    return *instance;
}

LaunchAtLogin& LaunchAtLogin::shared()
{
    static const std::unique_ptr<XdgAutostartEntry> entry = XdgAutostartEntry::forCurrentUser();
    static LaunchAtLogin instance(*entry);
    return instance;
}

SettingsManager& SettingsManager::shared()
{
    static SettingsManager instance(Preferences::standard(), LaunchAtLogin::shared(),
                                    defaultSettingsHooks());
    return instance;
}

UpdateChecker& UpdateChecker::shared()
{
    // Built on first use and deliberately never destroyed: tearing the network stack down after
    // the application object at exit is not safe.
    static UpdateChecker* const checker = new UpdateChecker(
        Preferences::standard(), Clock::system(),
        [] { return SettingsManager::shared().updateAutoCheck(); },
        [](const QUrl& url) { return QDesktopServices::openUrl(url); });
    return *checker;
}

namespace {

// The desktop's file manager shows the file selected in its folder; without one on the bus
// the folder opens in whatever handles folders.
void revealInFileManager(const QString& path)
{
    const QUrl url = QUrl::fromLocalFile(path);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{url.toString()} << QString();
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        Log::debug(QStringLiteral("No file manager answered ShowItems (") + reply.errorName() +
                   QStringLiteral("); opening the folder instead"));
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
    }
}

quint64 physicalMemoryBytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<quint64>(pages) * static_cast<quint64>(pageSize)
                                     : 0;
}

// The name the user gave the computer (systemd's pretty host name), else the network name.
QString prettyHostName()
{
    QFile file(QStringLiteral("/etc/machine-info"));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.startsWith("PRETTY_HOSTNAME="))
                continue;
            QString value = QString::fromUtf8(line.mid(16)).trimmed();
            if (value.size() >= 2 &&
                (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))))
                value = value.mid(1, value.size() - 2);
            if (!value.isEmpty())
                return value;
        }
    }
    return QSysInfo::machineHostName();
}

} // namespace

SettingsServices sharedSettingsServices()
{
    SettingsServices s;
    s.settings = &SettingsManager::shared();
    s.l10n = &L10n::shared();
    s.skins = &SkinManager::shared();
    s.launchAtLogin = &LaunchAtLogin::shared();
    s.fans = &FanController::shared();
    s.helper = &FanHelperClient::shared();
    s.updates = &UpdateChecker::shared();
    return s;
}

const PanelServices& sharedPanelServices()
{
    static const PanelServices services = [] {
        auto* readings = new PanelReadings();
        readings->follow(Monitor::shared());
        PanelServices s;
        s.readings = readings;
        s.settings = &SettingsManager::shared();
        s.l10n = &L10n::shared();
        s.history = &HistoryStore::shared();
        s.historyWindow = &HistoryWindowState::shared();
        s.insights = &InsightEngine::shared();
        s.pause = &PauseManager::shared();
        s.pins = &PinStore::shared();
        s.terminator = &ProcessTerminator::shared();
        s.visuals = &ProcessVisualCache::shared();
        s.flip = &PanelFlipState::shared();
        s.settingsFace = sharedSettingsServices();
        s.clock = &Clock::system();
        s.physicalMemory = physicalMemoryBytes();
        s.hostName = prettyHostName();
        s.readDetail = [](qint32 pid, const QString& name) {
            return ProcessDetailReader::read(machineProcessInfo(), pid, name);
        };
        s.revealFile = revealInFileManager;
        s.setDialogHold = [](bool hold) { PanelWindowController::shared().setDialogHold(hold); };
        return s;
    }();
    return services;
}

PanelWindowController& PanelWindowController::shared()
{
    static auto* controller = [] {
        auto* c = new PanelWindowController(
            Clock::system(), [](bool paused) { Monitor::shared().setPublishingPaused(paused); });
        c->setFaces(&PanelAnchor::shared(), &PanelFlipState::shared());
        c->setContentFactory([](bool windowed) -> QWidget* {
            auto* root = new RootPanelView(sharedPanelServices(), SkinManager::shared(),
                                           PanelAnchor::shared(), windowed);
            root->setFaceFactory(PanelSkin::Vitals,
                                 [](const PanelServices& services, QWidget* parent) -> QWidget* {
                                     return new VitalsPanelView(services, parent);
                                 });
            return root;
        });
        return c;
    }();
    return *controller;
}

} // namespace corvanite

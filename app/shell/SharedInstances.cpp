// The application's shared services. Each is built here, on first use, over the real machine,
// and wired to the services it works with; the classes themselves only take what they are given.

#include "app/base/Log.h"
#include "app/menubar/MenuBarController.h"
#include "app/panel/PanelWindowController.h"
#include "app/panel/SkinManager.h"
#include "app/sampling/Monitor.h"
#include "app/sampling/PressureMonitor.h"
#include "app/sampling/SMC.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "app/settings/UpdateChecker.h"
#include "app/shell/MachineSources.h"
#include "app/shell/Wiring.h"
#include "platform/Clock.h"
#include "platform/PlatformLog.h"
#include "platform/Preferences.h"
#include "platform/linux/HwmonSmc.h"
#include "platform/linux/LinuxMemoryPressure.h"
#include "platform/linux/XdgAutostartEntry.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace corvanite {

void routePlatformLogToLog()
{
    PlatformLog::setSink([](const QString& line) { Log::debug(line); });
}

MonitorPolicy defaultMonitorPolicy()
{
    MonitorPolicy policy;
    policy.iconOnlyMenuBar = [] {
        return SettingsManager::shared().menuBarMode() == MenuBarMode::Icon;
    };
    policy.alertsEnabled = [] { return SettingsManager::shared().alertsEnabled(); };
    // The insight engine and the history store ask for these once they exist.
    policy.wantsProcessScan = [] { return false; };
    policy.wantsTempSample = [] { return false; };
    return policy;
}

SettingsHooks defaultSettingsHooks()
{
    SettingsHooks hooks;
    hooks.setMonitorInterval = [](double seconds) { Monitor::shared().setInterval(seconds); };
    hooks.applyEffectiveInterval = [] { Monitor::shared().applyEffectiveInterval(); };
    // Desktop notifications need no permission; the alert manager answers here once it exists.
    hooks.requestNotificationAuthorization = [](std::function<void(bool)> completion) {
        completion(true);
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
    return d;
}

Monitor& Monitor::shared()
{
    static Monitor* const instance = [] {
        auto* monitor = new Monitor(machineSources(), Clock::system(), defaultMonitorPolicy());
        TickConsumers consumers;
        consumers.memoryPressure = [](PressureLevel level) {
            PressureMonitor::shared().update(level);
        };
        monitor->setTickConsumers(std::move(consumers));
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
    // The culprit capture is hooked in here once the insight engine exists.
    static PressureMonitor* const instance = new PressureMonitor(
        std::make_unique<LinuxMemoryPressure>(), [] { return PsiTrigger::open(); });
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

PanelWindowController& PanelWindowController::shared()
{
    static auto* controller = new PanelWindowController(
        Clock::system(), [](bool paused) { Monitor::shared().setPublishingPaused(paused); });
    return *controller;
}

} // namespace corvanite

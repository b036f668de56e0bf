#include "app/shell/AppDelegate.h"

#include "app/base/Log.h"
#include "app/menubar/MenuBarController.h"
#include "app/menubar/MenuBarLayout.h"
#include "app/sampling/Monitor.h"
#include "app/sampling/PressureMonitor.h"
#include "app/settings/SettingsManager.h"
#include "app/settings/UpdateChecker.h"
#include "app/shell/TerminalStatusLine.h"
#include "app/shell/Wiring.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace corvanite {

AppDelegate& AppDelegate::shared()
{
    static AppDelegate delegate;
    return delegate;
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applyDarkAppearance()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window(0x1e, 0x20, 0x24);
    const QColor base(0x16, 0x18, 0x1b);
    const QColor text(0xe8, 0xea, 0xed);
    const QColor accent(0x3d, 0x8b, 0xfd);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x2a, 0x2d, 0x32));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent);
    p.setColor(QPalette::PlaceholderText, QColor(0x8a, 0x8f, 0x98));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x70, 0x74, 0x7c));
    QApplication::setPalette(p);
}

void AppDelegate::applicationDidFinishLaunching()
{
    if (m_headless) {
        startHeadless();
    } else {
        applyDarkAppearance();
        m_menuBarController = std::make_unique<MenuBarController>(sharedMenuBarDependencies());
        m_menuBarController->setup();
    }
    PressureMonitor::shared().start();
    // Comfort cooling starts here once the fan controller exists.
    UpdateChecker::shared().startAutoCheck();
}

void AppDelegate::startHeadless()
{
    m_terminalLine = std::make_unique<TerminalStatusLine>();
    Log::debug(QStringLiteral("No display: writing the status text to the terminal"));
    Monitor& monitor = Monitor::shared();
    MonitorPolicy policy = defaultMonitorPolicy();
    policy.iconOnlyMenuBar = [] { return false; };
    monitor.setPolicy(std::move(policy));
    monitor.setOnTick([this] {
        const Monitor& m = Monitor::shared();
        m_terminalLine->show(MenuBarLayout::statusText(
            m.cpu().total, m.memory().usageFraction() * 100.0, m.network().downBps,
            m.network().upBps, SettingsManager::shared().menuBarMetrics(), false));
    });
    monitor.start(SettingsManager::shared().refreshInterval());
}

void AppDelegate::applicationWillTerminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    // Paused process groups are resumed and fan control is released here once those exist.
    Monitor::shared().stop();
    if (m_terminalLine)
        m_terminalLine->finish();
}

} // namespace corvanite

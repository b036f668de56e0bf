// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/AppDelegate.h"

#include "app/analysis/AlertManager.h"
#include "app/base/Log.h"
#include "app/comfort/FanController.h"
#include "app/comfort/FanHelperClient.h"
#include "app/menubar/MenuBarController.h"
#include "app/menubar/MenuBarLayout.h"
#include "app/panel/PanelWindowController.h"
#include "app/process/PauseManager.h"
#include "app/sampling/Monitor.h"
#include "app/sampling/PressureMonitor.h"
#include "app/settings/SettingsManager.h"
#include "app/settings/UpdateChecker.h"
#include "app/shell/TerminalStatusLine.h"
#include "app/shell/Wiring.h"
#include "platform/Preferences.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QStyleFactory>

#include <cstdio>

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
    reportPreferencesProblems(Preferences::standard());
    // Pending preference writes land before the process ends.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            [] { Preferences::standard().flush(); });
    // Groups frozen by an earlier run that ended without thawing them (killed outright) are
    // reconciled now, so the paused banner can offer to resume them.
    PauseManager::shared();
    if (m_headless) {
        startHeadless();
    } else {
        applyDarkAppearance();
        m_menuBarController = std::make_unique<MenuBarController>(sharedMenuBarDependencies());
        m_menuBarController->setup();
    }
    PressureMonitor::shared().start();
    FanController::shared().startIfEnabled();
    UpdateChecker::shared().startAutoCheck();
}

void AppDelegate::showPanelOnRequest()
{
    if (m_headless) {
        Log::debug(QStringLiteral("No display: there is no panel to show"));
        return;
    }
    PanelWindowController::shared().show(QCursor::pos());
}

void AppDelegate::startHeadless()
{
    m_terminalLine = std::make_unique<TerminalStatusLine>();
    if (m_terminalLine->isTerminal())
        std::fputs("Corvanite: no display; the live figures follow. Press Ctrl+C to quit.\n",
                   stderr);
    Log::debug(QStringLiteral("No display: writing the status text to the terminal"));
    Monitor& monitor = Monitor::shared();
    MonitorPolicy policy = defaultMonitorPolicy();
    policy.iconOnlyMenuBar = [] { return false; };
    monitor.setPolicy(std::move(policy));
    // Alerts still reach the desktop's notifications; with no panel, a click opens nothing.
    AlertManager::shared().activate();
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
    // No group may stay frozen after we are gone: nobody else would know to thaw it.
    PauseManager::shared().resumeAll();
    // Nobody heartbeats for the fans once we are gone; the daemon is told at once rather than
    // noticing the silence. A client never built holds nothing, so no daemon is woken for it.
    if (FanHelperClient* client = FanHelperClient::sharedIfBuilt())
        client->releaseControl([](bool) {});
    Monitor::shared().stop();
    if (m_terminalLine)
        m_terminalLine->finish();
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

namespace corvanite {

class MenuBarController;
class TerminalStatusLine;

// The application's lifecycle: what starts once launching has finished and what must run before
// the process exits, in a fixed order.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    static AppDelegate& shared();
    ~AppDelegate() override;

    // Without a display the status text goes to the terminal instead of a status item.
    void setHeadless(bool headless) { m_headless = headless; }
    bool isHeadless() const { return m_headless; }

    // Fusion style with a dark palette: the panel and menus are designed for a dark desktop.
    static void applyDarkAppearance();

    MenuBarController* menuBarController() const { return m_menuBarController.get(); }

    // Another start of the application asked this one to show itself.
    void showPanelOnRequest();

public Q_SLOTS:
    void applicationDidFinishLaunching();
    void applicationWillTerminate();

private:
    AppDelegate() = default;
    void startHeadless();

    bool m_headless = false;
    bool m_terminated = false;
    std::unique_ptr<MenuBarController> m_menuBarController;
    std::unique_ptr<TerminalStatusLine> m_terminalLine;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/MenuBarLayout.h"
#include "app/panel/PanelSkin.h"

#include <QMenu>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

namespace corvanite {

// What the status item's menu shows ticked and enabled.
struct MenuBarMenuState {
    MenuBarMode mode = MenuBarMode::Icon;
    QList<MenuBarMetric> metrics;
    NotchMode notchMode = NotchMode::Auto;
    PanelSkin skin = PanelSkin::Glass;
    double refreshInterval = 2;
    std::optional<QString> availableVersion;
};

// What the menu's items do. Items that stand for a value pass it on as their data: the raw
// value of a mode, notch mode or skin, or the interval in seconds.
struct MenuBarMenuActions {
    std::function<void(const QVariant&)> setMenuBarStyle;
    std::function<void()> toggleNetSpeed;
    std::function<void(const QVariant&)> setNotchMode;
    std::function<void(const QVariant&)> setSkin;
    std::function<void(const QVariant&)> setInterval;
    std::function<void()> openDownloadPage;
    std::function<void()> openSettings;
    std::function<void()> quitApp;
};

// The status item's menu, built afresh for every opening so its texts follow the current
// language and its ticks the current settings. Each action's object name is its text key
// (the per-value items: "menu.style.icon", "settings.menubar.notch.auto", "skin.vitals",
// "menu.interval.2s").
class MenuBarMenu {
public:
    static std::unique_ptr<QMenu> build(const MenuBarMenuState& state,
                                        const MenuBarMenuActions& actions);
};

} // namespace corvanite

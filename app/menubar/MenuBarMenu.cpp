// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/MenuBarMenu.h"

#include "app/base/L10n.h"

#include <QAction>
#include <QKeySequence>

namespace corvanite {

namespace {

QAction* addItem(QMenu* menu, const QString& key, const QString& title)
{
    QAction* action = menu->addAction(title);
    action->setObjectName(key);
    return action;
}

QAction* addValueItem(QMenu* menu, const QString& key, const QVariant& value, bool ticked,
                      bool enabled, const std::function<void(const QVariant&)>& handler)
{
    QAction* action = addItem(menu, key, L(key));
    action->setData(value);
    action->setCheckable(true);
    action->setChecked(ticked);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, action, [action, handler] {
        if (handler)
            handler(action->data());
    });
    return action;
}

void connectPlain(QAction* action, const std::function<void()>& handler)
{
    QObject::connect(action, &QAction::triggered, action, [handler] {
        if (handler)
            handler();
    });
}

QMenu* addSubmenu(QMenu* menu, const QString& key, bool enabled)
{
    QMenu* submenu = menu->addMenu(L(key));
    submenu->menuAction()->setObjectName(key);
    submenu->menuAction()->setEnabled(enabled);
    return submenu;
}

} // namespace

std::unique_ptr<QMenu> MenuBarMenu::build(const MenuBarMenuState& state,
                                          const MenuBarMenuActions& actions)
{
    auto menu = std::make_unique<QMenu>();
    const bool textMode = state.mode == MenuBarMode::Text;

    addItem(menu.get(), QStringLiteral("menu.title"), L(QStringLiteral("menu.title")))
        ->setEnabled(false);
    menu->addSeparator();

    QMenu* style = addSubmenu(menu.get(), QStringLiteral("menu.style"), true);
    addValueItem(style, QStringLiteral("menu.style.icon"), rawValue(MenuBarMode::Icon), !textMode,
                 true, actions.setMenuBarStyle);
    addValueItem(style, QStringLiteral("menu.style.text"), rawValue(MenuBarMode::Text), textMode,
                 true, actions.setMenuBarStyle);

    QAction* netSpeed =
        addItem(menu.get(), QStringLiteral("menu.netSpeed"), L(QStringLiteral("menu.netSpeed")));
    netSpeed->setCheckable(true);
    netSpeed->setChecked(state.metrics.contains(MenuBarMetric::Network));
    netSpeed->setEnabled(textMode);
    connectPlain(netSpeed, actions.toggleNetSpeed);

    QMenu* notch = addSubmenu(menu.get(), QStringLiteral("menu.notch"), textMode);
    for (NotchMode mode : allNotchModes()) {
        addValueItem(notch, QStringLiteral("settings.menubar.notch.") + rawValue(mode),
                     rawValue(mode), mode == state.notchMode, textMode, actions.setNotchMode);
    }

    QMenu* skin = addSubmenu(menu.get(), QStringLiteral("menu.skin"), true);
    for (PanelSkin each : allPanelSkins())
        addValueItem(skin, displayKey(each), rawValue(each), each == state.skin, true,
                     actions.setSkin);
    menu->addSeparator();

    QMenu* interval = addSubmenu(menu.get(), QStringLiteral("menu.interval"), true);
    const struct {
        const char* key;
        double seconds;
    } intervals[] = {
        {"menu.interval.1s", 1.0}, {"menu.interval.2s", 2.0}, {"menu.interval.5s", 5.0}};
    for (const auto& each : intervals) {
        addValueItem(interval, QLatin1String(each.key), each.seconds,
                     state.refreshInterval == each.seconds, true, actions.setInterval);
    }
    menu->addSeparator();

    if (state.availableVersion) {
        QAction* update =
            addItem(menu.get(), QStringLiteral("menu.updateAvailable"),
                    L(QStringLiteral("menu.updateAvailable"), {*state.availableVersion}));
        connectPlain(update, actions.openDownloadPage);
    }
    QAction* settings =
        addItem(menu.get(), QStringLiteral("menu.settings"), L(QStringLiteral("menu.settings")));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    connectPlain(settings, actions.openSettings);
    QAction* quit =
        addItem(menu.get(), QStringLiteral("menu.quit"), L(QStringLiteral("menu.quit")));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connectPlain(quit, actions.quitApp);
    return menu;
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/QtPrinters.h"
#include "tests/ui/MenuBarFixture.h"

#include <QAction>
#include <QMenu>

using namespace corvanite;
using namespace corvanite::test;

namespace {

QAction* find(QMenu& menu, const QString& key)
{
    return menu.findChild<QAction*>(key);
}

// The menu's rows as "key", "-" for separators, with a submenu's rows in brackets.
QStringList layout(const QMenu& menu)
{
    QStringList rows;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            rows.append(QStringLiteral("-"));
        } else if (action->menu()) {
            QStringList inner = layout(*action->menu());
            rows.append(action->objectName() + QStringLiteral(" [") + inner.join(QLatin1Char(' ')) +
                        QLatin1Char(']'));
        } else {
            rows.append(action->objectName());
        }
    }
    return rows;
}

struct Tick {
    const char* key;
    bool checked;
    bool enabled;
};

void expectTicks(QMenu& menu, std::initializer_list<Tick> ticks)
{
    for (const Tick& t : ticks) {
        QAction* action = find(menu, QLatin1String(t.key));
        ASSERT_NE(action, nullptr) << t.key;
        EXPECT_EQ(action->isChecked(), t.checked) << t.key;
        EXPECT_EQ(action->isEnabled(), t.enabled) << t.key;
    }
}

using MenuBarMenuTest = MenuBarFixture;

TEST_F(MenuBarMenuTest, IconModeWithoutUpdate)
{
    settings.setMenuBarMode(MenuBarMode::Icon);
    settings.setShowNetSpeed(true);
    settings.setNotchMode(NotchMode::Auto);
    settings.setRefreshInterval(2);
    auto controller = make();
    auto menu = controller->buildMenu();

    EXPECT_EQ(
        layout(*menu),
        (QStringList{QStringLiteral("menu.title"), QStringLiteral("-"),
                     QStringLiteral("menu.style [menu.style.icon menu.style.text]"),
                     QStringLiteral("menu.netSpeed"),
                     QStringLiteral("menu.notch [settings.menubar.notch.off "
                                    "settings.menubar.notch.auto settings.menubar.notch.always]"),
                     QStringLiteral("menu.skin [skin.glass skin.vitals]"), QStringLiteral("-"),
                     QStringLiteral("menu.interval [menu.interval.1s menu.interval.2s "
                                    "menu.interval.5s]"),
                     QStringLiteral("-"), QStringLiteral("menu.settings"),
                     QStringLiteral("menu.quit")}));
    EXPECT_FALSE(find(*menu, QStringLiteral("menu.title"))->isEnabled());
    // In icon mode the text-only items are greyed but keep showing their state.
    expectTicks(*menu, {{"menu.style.icon", true, true},
                        {"menu.style.text", false, true},
                        {"menu.netSpeed", true, false},
                        {"menu.notch", false, false},
                        {"settings.menubar.notch.auto", true, false},
                        {"settings.menubar.notch.off", false, false},
                        {"skin.glass", true, true},
                        {"skin.vitals", false, true},
                        {"menu.interval.1s", false, true},
                        {"menu.interval.2s", true, true},
                        {"menu.interval.5s", false, true}});
    EXPECT_EQ(find(*menu, QStringLiteral("menu.title"))->text(), L(QStringLiteral("menu.title")));
    EXPECT_EQ(find(*menu, QStringLiteral("settings.menubar.notch.always"))->text(),
              L(QStringLiteral("settings.menubar.notch.always")));
    EXPECT_EQ(find(*menu, QStringLiteral("menu.settings"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_EQ(find(*menu, QStringLiteral("menu.quit"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(MenuBarMenuTest, TextModeWithAnUpdateAndAnotherLanguage)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setMenuBarMetrics({MenuBarMetric::Cpu, MenuBarMetric::Memory});
    settings.setNotchMode(NotchMode::Always);
    settings.setRefreshInterval(5);
    skins.setSkin(PanelSkin::Vitals);
    availableVersion = QStringLiteral("2.1");
    auto controller = make();
    auto menu = controller->buildMenu();

    expectTicks(*menu, {{"menu.style.text", true, true},
                        {"menu.netSpeed", false, true},
                        {"settings.menubar.notch.always", true, true},
                        {"skin.vitals", true, true},
                        {"menu.interval.5s", true, true}});
    QAction* update = find(*menu, QStringLiteral("menu.updateAvailable"));
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->text(), QStringLiteral("Update Available: 2.1"));
    const QList<QAction*> rows = menu->actions();
    EXPECT_EQ(rows.indexOf(update) + 1, rows.indexOf(find(*menu, QStringLiteral("menu.settings"))));

    // Built afresh: the next opening speaks the language chosen in between.
    L10n::shared().setLanguage(AppLanguage::De);
    auto german = controller->buildMenu();
    EXPECT_EQ(find(*german, QStringLiteral("menu.quit"))->text(), L(QStringLiteral("menu.quit")));
    EXPECT_NE(find(*german, QStringLiteral("menu.quit"))->text(),
              find(*menu, QStringLiteral("menu.quit"))->text());
    L10n::shared().setLanguage(AppLanguage::En);
}

TEST_F(MenuBarMenuTest, ItemsChangeTheSettingsTheyShow)
{
    settings.setMenuBarMode(MenuBarMode::Icon);
    settings.setMenuBarMetrics({MenuBarMetric::Cpu, MenuBarMetric::Memory});
    availableVersion = QStringLiteral("2.1");
    auto controller = make();
    const auto trigger = [&](const char* key) {
        auto menu = controller->buildMenu();
        QAction* action = find(*menu, QLatin1String(key));
        ASSERT_NE(action, nullptr) << key;
        action->trigger();
    };

    trigger("menu.style.text");
    EXPECT_EQ(settings.menuBarMode(), MenuBarMode::Text);
    EXPECT_EQ(item->label(), QStringLiteral("CPU 23%  MEM 61%"));

    trigger("menu.netSpeed");
    EXPECT_TRUE(settings.menuBarMetrics().contains(MenuBarMetric::Network));
    EXPECT_EQ(item->label(), QStringLiteral("CPU 23%  MEM 61%  ↓1.2M ↑45K"));
    trigger("menu.netSpeed");
    EXPECT_FALSE(settings.menuBarMetrics().contains(MenuBarMetric::Network));

    trigger("settings.menubar.notch.always");
    EXPECT_EQ(settings.notchMode(), NotchMode::Always);
    EXPECT_EQ(item->label(), QStringLiteral("23% 61%"));
    EXPECT_TRUE(item->fixedDigits());
    EXPECT_TRUE(item->icon().isNull());

    trigger("skin.vitals");
    EXPECT_EQ(skins.skin(), PanelSkin::Vitals);
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Panel skin changed: vitals")));

    trigger("menu.interval.1s");
    EXPECT_EQ(settings.refreshInterval(), 1.0);

    trigger("menu.updateAvailable");
    trigger("menu.settings");
    trigger("menu.quit");
    EXPECT_EQ(downloadPagesOpened, 1);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(quitRequests, 1);

    trigger("menu.style.icon");
    EXPECT_EQ(settings.menuBarMode(), MenuBarMode::Icon);
    EXPECT_TRUE(item->label().isEmpty());
    EXPECT_FALSE(item->icon().isNull());
}

TEST_F(MenuBarMenuTest, ValuesThatDoNotParseChangeNothing)
{
    auto controller = make();
    settings.setRefreshInterval(2);
    controller->setMenuBarStyle(QStringLiteral("ticker"));
    controller->setNotchMode(QStringLiteral("sometimes"));
    controller->setSkin(QStringLiteral("neon"));
    controller->setInterval(QStringLiteral("5"));
    controller->setInterval(std::nan(""));
    controller->setInterval(-1.0);
    controller->setInterval(QVariant());
    EXPECT_EQ(settings.menuBarMode(), MenuBarMode::Icon);
    EXPECT_EQ(settings.notchMode(), NotchMode::Auto);
    EXPECT_EQ(skins.skin(), PanelSkin::Glass);
    EXPECT_EQ(settings.refreshInterval(), 2.0);
    controller->setInterval(5);
    EXPECT_EQ(settings.refreshInterval(), 5.0);
}

} // namespace

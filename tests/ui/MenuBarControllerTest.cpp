// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/QtPrinters.h"
#include "tests/ui/MenuBarFixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>

using namespace corvanite;
using namespace corvanite::test;

namespace {

using MenuBarControllerTest = MenuBarFixture;

TEST_F(MenuBarControllerTest, SetupWiresTheItemInOrderAndStartsSampling)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setMenuBarMetrics({MenuBarMetric::Cpu, MenuBarMetric::Memory});
    settings.setMenuBarShowIcon(true);
    settings.setRefreshInterval(5);
    auto controller = make();
    controller->setup();

    EXPECT_EQ(log.lines(),
              (QStringList{QStringLiteral("setup() started"),
                           QStringLiteral("Status item button created: true"),
                           QStringLiteral("Menu bar mode: text compact=false icon=true"),
                           QStringLiteral("setup() completed; menu bar text: CPU 23%  MEM 61%")}));
    EXPECT_EQ(startedWith, QList<double>{5.0});
    EXPECT_EQ(item->title(), QStringLiteral("Corvanite"));
    EXPECT_EQ(item->toolTip(), L(QStringLiteral("menu.tooltip")));
    EXPECT_FALSE(item->icon().isNull());
    EXPECT_EQ(item->compactColumns(),
              (QList<QStringList>{{QStringLiteral("23%"), QStringLiteral("61%")}}));
    // Nothing but the sampling interval wakes the process.
    EXPECT_TRUE(controller->findChildren<QTimer*>().isEmpty());

    // Every tick recomposes the text from the latest readings.
    ASSERT_TRUE(tick);
    readings = {7, 48, 0, 0};
    tick();
    EXPECT_EQ(item->label(), QStringLiteral("CPU 7%  MEM 48%"));

    // Subscribing did not fire for the values current at launch.
    deliverQueued();
    EXPECT_EQ(log.lines().size(), 4);
}

TEST_F(MenuBarControllerTest, WithoutAButtonThePanelIsAWindowThatQuitsWhenClosed)
{
    auto controller = make(std::make_unique<AbsentStatusItem>());
    controller->setup();
    EXPECT_EQ(log.lines(), (QStringList{QStringLiteral("setup() started"),
                                        QStringLiteral("⚠ Status item button is nil"),
                                        QStringLiteral("Panel opened as a window"),
                                        QStringLiteral("setup() completed; menu bar text: nil")}));
    EXPECT_EQ(startedWith.size(), 1);
    tick();
    controller->logStatusItemPosition();
    EXPECT_EQ(log.lines().last(), QStringLiteral("⚠ Status item button is nil"));

    ASSERT_TRUE(panel.isWindowed());
    QWidget* window = panel.panel();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Corvanite"));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Losing focus, Escape and a toggle leave it open: it is the app's only window.
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(window, &deactivate);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window, &escape);
    panel.toggle(QPoint(10, 10));
    EXPECT_TRUE(panel.isShown());
    EXPECT_EQ(quitRequests, 0);

    window->close();
    EXPECT_FALSE(panel.isShown());
    EXPECT_EQ(quitRequests, 1);
}

// Stands in for the desktop's status area: the test says what it offers and when it changed.
class FakeStatusArea : public StatusArea {
public:
    StatusItemKind offered = StatusItemKind::None;
    QList<StatusItemKind> made;

    StatusItemKind kind() const override { return offered; }
    std::unique_ptr<StatusItem> makeItem(StatusItemKind kind) override
    {
        made.append(kind);
        if (kind == StatusItemKind::None)
            return std::make_unique<AbsentStatusItem>();
        return std::make_unique<StatusItem>();
    }
    void offer(StatusItemKind kind)
    {
        offered = kind;
        Q_EMIT changed();
    }
};

TEST_F(MenuBarControllerTest, TheItemFollowsTheDesktopAndTheWindowGivesWayToIt)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    FakeStatusArea area;
    auto controller = makeFollowing(area);
    controller->setup();
    EXPECT_FALSE(item->hasButton());
    EXPECT_TRUE(panel.isWindowed());

    // A tray started after the app: the item appears, with the live text, and the window goes.
    area.offer(StatusItemKind::StatusNotifier);
    deliverQueued();
    EXPECT_EQ(area.made,
              (QList<StatusItemKind>{StatusItemKind::None, StatusItemKind::StatusNotifier}));
    ASSERT_TRUE(item->hasButton());
    EXPECT_EQ(item->label(), QStringLiteral("CPU 23%  MEM 61%"));
    EXPECT_EQ(item->title(), QStringLiteral("Corvanite"));
    EXPECT_FALSE(panel.isShown());
    EXPECT_EQ(quitRequests, 0);
    // The new item's clicks reach the controller.
    Q_EMIT item->activateRequested(QPoint(300, 10));
    EXPECT_TRUE(panel.isShown());
    EXPECT_FALSE(panel.isWindowed());
    panel.close();

    // A signal that changes nothing makes nothing again.
    Q_EMIT area.changed();
    deliverQueued();
    EXPECT_EQ(area.made.size(), 2);

    // The watcher goes, a plain tray is still there; then that goes too.
    area.offer(StatusItemKind::XEmbedTray);
    deliverQueued();
    EXPECT_TRUE(item->hasButton());
    area.offer(StatusItemKind::None);
    deliverQueued();
    EXPECT_FALSE(item->hasButton());
    EXPECT_TRUE(panel.isWindowed());
    tick();
    EXPECT_EQ(area.made.size(), 4);
}

TEST_F(MenuBarControllerTest, SettingsAndLanguageChangesReachTheItemFromTheEventLoop)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setMenuBarMetrics({MenuBarMetric::Cpu, MenuBarMetric::Memory});
    auto controller = make();
    controller->setup();

    settings.setNotchMode(NotchMode::Always);
    EXPECT_EQ(item->label(), QStringLiteral("CPU 23%  MEM 61%")); // not yet: queued
    deliverQueued();
    EXPECT_EQ(item->label(), QStringLiteral("23% 61%"));
    EXPECT_TRUE(item->fixedDigits());

    settings.setShowNetSpeed(true);
    deliverQueued();
    EXPECT_EQ(item->label(), QStringLiteral("23% 61% ↓1.2M ↑45K"));

    settings.setMenuBarMode(MenuBarMode::Icon);
    deliverQueued();
    EXPECT_TRUE(item->label().isEmpty());
    EXPECT_TRUE(log.lines().last().startsWith(
        QStringLiteral("Menu bar mode: icon only; button={{0, 0}, {0, 0}} image=(21.0, 18.0)")));

    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setNotchMode(NotchMode::Off);
    deliverQueued();
    L10n::shared().setLanguage(AppLanguage::De);
    deliverQueued();
    EXPECT_EQ(item->toolTip(), L(QStringLiteral("menu.tooltip")));
    EXPECT_EQ(item->label(), QStringLiteral("CPU 23%  RAM 61%  ↓1.2M ↑45K"));
    L10n::shared().setLanguage(AppLanguage::En);
}

TEST_F(MenuBarControllerTest, CompactFollowsTheScreenWithinOneTick)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setMenuBarMetrics({MenuBarMetric::Cpu, MenuBarMetric::Memory});
    settings.setNotchMode(NotchMode::Auto);
    settings.setMenuBarShowIcon(true);
    auto controller = make();
    controller->setup();
    EXPECT_FALSE(controller->lastCompact());
    EXPECT_FALSE(item->icon().isNull());

    screen = notchedScreen(); // the item moved to a display with a camera housing
    tick();
    EXPECT_TRUE(controller->lastCompact());
    EXPECT_EQ(item->label(), QStringLiteral("23% 61%"));
    EXPECT_TRUE(item->fixedDigits());
    EXPECT_TRUE(item->icon().isNull());
    EXPECT_EQ(log.lines().last(), QStringLiteral("Menu bar mode: text compact=true icon=false"));

    settings.setNotchMode(NotchMode::Off);
    deliverQueued();
    EXPECT_FALSE(controller->lastCompact());
    EXPECT_FALSE(item->icon().isNull());
}

TEST_F(MenuBarControllerTest, ClicksToggleThePanelAndOpenTheMenuAtTheHostsPoint)
{
    auto controller = make();
    controller->setup();
    Q_EMIT item->activateRequested(QPoint(600, 12));
    ASSERT_TRUE(panel.isShown());
    EXPECT_EQ(panel.panel()->geometry().top(), 13);
    Q_EMIT item->activateRequested(QPoint(600, 12));
    EXPECT_FALSE(panel.isShown());
    EXPECT_EQ(publishingPaused, (QList<bool>{false, true}));

    Q_EMIT item->contextMenuRequested(QPoint(100, 20));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->pos(), QPoint(100, 20));
    menu->close();
}

TEST_F(MenuBarControllerTest, ATickAfterTheControllerIsGoneDoesNothing)
{
    auto controller = make();
    controller->setup();
    controller.reset();
    ASSERT_TRUE(tick);
    const int asked = readingsAsked;
    tick();
    EXPECT_EQ(readingsAsked, asked);
}

TEST_F(MenuBarControllerTest, PositionLogWithoutAnItemWindow)
{
    auto controller = make();
    controller->logStatusItemPosition();
    EXPECT_EQ(log.lines().last(), QStringLiteral("⚠ Status item button has no window"));
}

TEST(ScreenFacts, LinuxScreensHaveNoCameraHousing)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const ScreenFacts facts = screenFacts(*primary);
    EXPECT_FALSE(facts.auxiliaryTopLeftArea.has_value());
    EXPECT_FALSE(facts.auxiliaryTopRightArea.has_value());
    EXPECT_EQ(facts.safeAreaTopInset, 0);
    EXPECT_EQ(facts.frame, QRectF(primary->geometry()));
    EXPECT_FALSE(MenuBarLayout::isCompact(NotchMode::Auto, facts));
}

} // namespace

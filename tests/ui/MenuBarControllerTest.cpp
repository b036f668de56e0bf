#include "tests/support/QtPrinters.h"
#include "tests/ui/MenuBarFixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

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
    ASSERT_NE(controller->nudgeTimer(), nullptr);
    EXPECT_TRUE(controller->nudgeTimer()->isActive());
    EXPECT_EQ(controller->nudgeTimer()->interval(), 8000);

    // Every tick recomposes the text from the latest readings.
    ASSERT_TRUE(tick);
    readings = {7, 48, 0, 0};
    tick();
    EXPECT_EQ(item->label(), QStringLiteral("CPU 7%  MEM 48%"));

    // Subscribing did not fire for the values current at launch.
    deliverQueued();
    EXPECT_EQ(log.lines().size(), 4);
}

TEST_F(MenuBarControllerTest, WithoutAButtonSamplingStillStarts)
{
    auto controller = make(std::make_unique<AbsentStatusItem>());
    controller->setup();
    EXPECT_EQ(log.lines(), (QStringList{QStringLiteral("setup() started"),
                                        QStringLiteral("⚠ Status item button is nil"),
                                        QStringLiteral("setup() completed; menu bar text: nil")}));
    EXPECT_EQ(startedWith.size(), 1);
    tick();
    controller->logStatusItemPosition();
    EXPECT_EQ(log.lines().last(), QStringLiteral("⚠ Status item button is nil"));
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
    tick();
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

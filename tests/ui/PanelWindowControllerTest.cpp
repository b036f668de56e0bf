// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/LogWatch.h"
#include "tests/support/QtPrinters.h"

#include "app/base/Log.h"
#include "app/panel/PanelWindowController.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

class PanelWindowControllerTest : public ::testing::Test {
protected:
    FakeClock clock;
    QList<bool> pausedCalls;
    PanelWindowController controller{clock, [this](bool paused) { pausedCalls.append(paused); }};
    const QRect anchor{600, 0, 40, 24};
};

TEST_F(PanelWindowControllerTest, OpeningPublishesAndClosingPausesAndLogsBoth)
{
    const corvanite::test::LogWatch log;
    controller.toggle(anchor);
    ASSERT_TRUE(controller.isShown());
    EXPECT_EQ(controller.panel()->size(), QSize(400, 668));
    controller.toggle(anchor);
    EXPECT_FALSE(controller.isShown());
    EXPECT_EQ(pausedCalls, (QList<bool>{false, true}));
    EXPECT_EQ(controller.lastCloseAt(), clock.now());
    EXPECT_EQ(log.lines(),
              (QStringList{QStringLiteral("Panel opened"), QStringLiteral("Panel closed")}));
}

TEST_F(PanelWindowControllerTest, AToggleWithinAQuarterSecondOfACloseDoesNotReopen)
{
    controller.show(anchor);
    controller.close();
    clock.advance(0.2);
    controller.toggle(anchor);
    EXPECT_FALSE(controller.isShown());
    clock.advance(0.06);
    controller.toggle(anchor);
    EXPECT_TRUE(controller.isShown());
}

TEST_F(PanelWindowControllerTest, LosingFocusClosesUnlessADialogHoldsThePanel)
{
    controller.show(anchor);
    controller.setDialogHold(true);
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(controller.panel(), &deactivate);
    EXPECT_TRUE(controller.isShown());

    controller.setDialogHold(false);
    QCoreApplication::sendEvent(controller.panel(), &deactivate);
    EXPECT_FALSE(controller.isShown());
}

TEST_F(PanelWindowControllerTest, EscapeClosesAndEveryOpeningGetsAFreshWindow)
{
    controller.show(anchor);
    QPointer<QWidget> first = controller.panel();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(first, &escape);
    EXPECT_FALSE(controller.isShown());
    clock.advance(1);
    controller.show(anchor);
    EXPECT_NE(controller.panel(), first.data());
}

TEST(PanelPlacement, CentredUnderTheItemAndKeptInsideTheScreen)
{
    const QRect screen(0, 25, 1512, 957);
    struct Case {
        QRect anchor;
        int x;
        int arrowX;
    };
    const Case cases[] = {
        {{600, 0, 40, 24}, 420, 200},   // room on both sides
        {{1392, 0, 40, 24}, 1104, 308}, // 100 from the right edge: clamped, arrow right of centre
        {{10, 0, 20, 24}, 8, 12},       // near the left edge
    };
    for (const Case& c : cases) {
        const auto placed = PanelWindowController::place(c.anchor, screen);
        EXPECT_EQ(placed.origin, QPoint(c.x, 25)) << c.anchor.x();
        EXPECT_EQ(placed.arrowX, c.arrowX) << c.anchor.x();
        EXPECT_FALSE(placed.above);
    }
}

TEST(PanelPlacement, OpensAboveAnItemAtTheBottomEdgeAndUnclampedWithoutAScreen)
{
    const auto bottom = PanelWindowController::place({700, 1056, 24, 24}, QRect(0, 0, 1920, 1056));
    EXPECT_TRUE(bottom.above);
    EXPECT_EQ(bottom.origin, QPoint(512, 1056 - 668));

    const auto free = PanelWindowController::place({-50, 0, 20, 20}, std::nullopt);
    EXPECT_EQ(free.origin, QPoint(-240, 20));
}

// A StatusNotifierItem host tells only where it was clicked, inside its own panel.
TEST(PanelPlacement, NeverOverTheAreaTheDesktopsPanelsReserve)
{
    const QRect usable(0, 30, 1920, 1050 - 30); // a 30 px panel on top, a 30 px one at the bottom
    const struct {
        QPoint click;
        int y;
        bool above;
    } cases[] = {
        {{900, 12}, 30, false},          // in the top panel: the card hangs below it
        {{900, 1065}, 1050 - 668, true}, // in the bottom panel: the card stands on it
        {{900, 300}, 301, false},        // a point in the open (the pointer): just below it
    };
    for (const auto& c : cases) {
        const auto placed = PanelWindowController::place(QRect(c.click, QSize(1, 1)), usable);
        EXPECT_EQ(placed.origin.y(), c.y) << c.click.y();
        EXPECT_EQ(placed.above, c.above) << c.click.y();
        EXPECT_GE(placed.origin.y(), usable.top());
        EXPECT_LE(placed.origin.y() + PanelWindowController::kHeight, usable.bottom() + 1);
    }
}

} // namespace

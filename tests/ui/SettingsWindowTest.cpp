// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/SettingsFixture.h"

#include "tests/support/Screenshots.h"

#include "app/panel/settings/FirstRunTip.h"
#include "app/panel/settings/FirstRunTipWindow.h"
#include "app/panel/settings/SettingsButton.h"
#include "app/panel/settings/SettingsIcon.h"
#include "app/panel/settings/SettingsWindow.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

namespace corvanite::test {
namespace {

class SettingsWindowTest : public SettingsFixture {
protected:
    ~SettingsWindowTest() override
    {
        if (QWidget* window = SettingsWindow::window())
            delete window;
        FirstRunTipWindow::dismiss();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void closeAndDrop(QWidget* window)
    {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window's view, and the whole length of it, for people to look at.
    static void saveShots(QWidget& window, const QString& name, PanelSkin skin)
    {
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.grab().save(screenshotPath(name + QStringLiteral(".png"))));
        auto* column = window.findChild<QScrollArea*>()->widget();
        QImage full(column->size(), QImage::Format_ARGB32_Premultiplied);
        full.fill(SettingsStyle::of(skin).background);
        column->render(&full, QPoint(), QRegion(), QWidget::DrawChildren);
        EXPECT_TRUE(full.save(screenshotPath(name + QStringLiteral("-full.png"))));
    }
};

TEST_F(SettingsWindowTest, ShowingTwiceRaisesTheSameWindowAndReopeningBuildsANewOne)
{
    SettingsWindow::show(services());
    QPointer<QWidget> first = SettingsWindow::window();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->size(), QSize(420, 620));
    EXPECT_EQ(first->minimumSize(), first->maximumSize()) << "not resizable";
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Settings"));
    const Qt::WindowFlags flags = first->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(first->geometry().center().x() - screen.center().x()), 3);
    EXPECT_LE(std::abs(first->geometry().center().y() - screen.center().y()), 3);

    SettingsWindow::show(services());
    EXPECT_EQ(SettingsWindow::window(), first.data());
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));

    closeAndDrop(first);
    EXPECT_EQ(first, nullptr) << "closing destroys the window and its view";
    EXPECT_EQ(SettingsWindow::window(), nullptr);
    SettingsWindow::show(services());
    EXPECT_NE(SettingsWindow::window(), nullptr);
}

TEST_F(SettingsWindowTest, EscapeClosesTheWindowAndTheTitleFollowsTheLanguage)
{
    SettingsWindow::show(services());
    QPointer<QWidget> window = SettingsWindow::window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    L10n::shared().setLanguage(AppLanguage::De);
    EXPECT_EQ(window->windowTitle(), L(QStringLiteral("settings.title")));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.data(),
                    Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr);
}

TEST_F(SettingsWindowTest, ClosingTheWindowWithTheApprovalButtonUpRetriesOnce)
{
    helper.current = FanHelperState::requiresApproval;
    fans.setEnabled(true);
    ASSERT_EQ(fans.status(), FanController::Status::needsApproval);
    SettingsWindow::show(services());
    QWidget* window = SettingsWindow::window();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->findChild<QWidget*>(QStringLiteral("settings.comfort.approve.holder"))
                    ->isVisible());
    const int before = helper.stateRefreshes;
    closeAndDrop(window);
    EXPECT_EQ(helper.stateRefreshes - before, 1);
}

TEST_F(SettingsWindowTest, ScreenshotsOfTheWindowInGlassEnglishAndVitalsGerman)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setComfortEnabled(true);
    settings.setKillWhitelist({QStringLiteral("firefox-esr"), QStringLiteral("node")});
    SettingsWindow::show(services());
    saveShots(*SettingsWindow::window(), QStringLiteral("settings-window-glass-en"),
              PanelSkin::Glass);
    closeAndDrop(SettingsWindow::window());

    settings.setMenuBarMode(MenuBarMode::Icon);
    settings.setComfortEnabled(false);
    skins.setSkin(PanelSkin::Vitals);
    L10n::shared().setLanguage(AppLanguage::De);
    SettingsWindow::show(services());
    saveShots(*SettingsWindow::window(), QStringLiteral("settings-window-vitals-de"),
              PanelSkin::Vitals);

    // No German label is cut off: every row label gets the lines its text needs.
    for (QLabel* label : SettingsWindow::window()->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
            continue;
        EXPECT_GE(label->width(), label->sizeHint().width())
            << label->text().toStdString() << " is clipped";
    }
}

TEST_F(SettingsWindowTest, EverySymbolOfTheViewDrawsOneGlyph)
{
    const QFontMetrics metrics(SettingsIcon::font(20));
    for (const char* name : {"globe",
                             "timer",
                             "thermometer.medium",
                             "power",
                             "menubar.rectangle",
                             "waveform.path.ecg",
                             "laptopcomputer",
                             "bell.badge",
                             "cpu",
                             "memorychip",
                             "thermometer.high",
                             "wind",
                             "thermometer.snowflake",
                             "exclamationmark.triangle.fill",
                             "xmark.circle.fill",
                             "arrow.triangle.2.circlepath",
                             "clock.arrow.circlepath",
                             "arrow.down.circle.fill",
                             "paintbrush",
                             "list.number",
                             "square.grid.3x1.below.line.grid.1x2",
                             "checkmark.square.fill",
                             "square",
                             "chevron.left",
                             "gauge.with.dots.needle.67percent",
                             "cursorarrow.click",
                             "filemenu.and.cursorarrow",
                             "gearshape.fill"}) {
        const QString key = QLatin1String(name);
        EXPECT_TRUE(SettingsIcon::isKnown(key)) << name;
        // A ligature the font lacks falls apart into its letters, many times a glyph's width.
        EXPECT_LE(metrics.horizontalAdvance(SettingsIcon::glyph(key)), 24) << name;
    }
}

class FirstRunTipTest : public SettingsWindowTest {};

TEST_F(FirstRunTipTest, ShownOnceUnderTheItemAndGoneAfterEightSeconds)
{
    ASSERT_TRUE(settings.isFirstRun());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect item(screen.left() + 300, screen.top(), 24, 24);
    ASSERT_TRUE(FirstRunTipWindow::showIfNeeded(settings, PanelSkin::Glass, item));
    EXPECT_FALSE(settings.isFirstRun()) << "marked at once, even if the app quits now";
    QWidget* window = FirstRunTipWindow::window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(280, 158));
    EXPECT_EQ(window->pos(), QPoint(item.center().x() + 1 - 140, item.bottom() + 1));
    EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    auto* tip = window->findChild<FirstRunTip*>();
    EXPECT_DOUBLE_EQ(tip->arrowX(), 140);
    EXPECT_TRUE(tip->pointsUp());

    QCoreApplication::processEvents();
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(40, 44, 52)); // a dark desktop behind the bubble
    window->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_TRUE(image.save(screenshotPath(QStringLiteral("first-run-tip-en.png"))));

    QTimer* timer = FirstRunTipWindow::dismissTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 8000);
    Q_EMIT timer->timeout({});
    EXPECT_EQ(FirstRunTipWindow::window(), nullptr);
    FirstRunTipWindow::dismiss(); // nothing to do, nothing happens

    // The second launch, over the same preferences: no tip.
    prefs.flush();
    Preferences again(prefs.filePath());
    SettingsManager second(again, launch, SettingsHooks{});
    EXPECT_FALSE(FirstRunTipWindow::showIfNeeded(second, PanelSkin::Glass, item));
    EXPECT_EQ(FirstRunTipWindow::window(), nullptr);
}

TEST_F(FirstRunTipTest, TheDismissButtonTakesItAwayAtOnce)
{
    ASSERT_TRUE(FirstRunTipWindow::showIfNeeded(settings, PanelSkin::Vitals, std::nullopt));
    QWidget* window = FirstRunTipWindow::window();
    ASSERT_NE(window, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(window->geometry().right(), screen.right() - 8) << "kept inside the screen";
    QTest::mouseClick(window->findChild<SettingsButton*>(QStringLiteral("firstrun.dismiss")),
                      Qt::LeftButton);
    EXPECT_EQ(FirstRunTipWindow::window(), nullptr);
}

TEST_F(FirstRunTipTest, PlacementKeepsTheTipOnScreenAndTheArrowOnTheItem)
{
    const QRect area(0, 30, 1920, 1050);
    const struct {
        QRect anchor;
        QPoint origin;
        double arrowX;
        bool above;
    } cases[] = {
        {QRect(900, 0, 24, 30), QPoint(772, 30), 140, false},     // centred, below the bar
        {QRect(1900, 0, 20, 30), QPoint(1632, 30), 278, false},   // pushed in from the right
        {QRect(0, 0, 20, 30), QPoint(8, 30), 2, false},           // pushed in from the left
        {QRect(1000, 1080, 24, 30), QPoint(872, 922), 140, true}, // a bottom panel: above
        {QRect(1000, 500, 1, 1), QPoint(861, 501), 139.5, false}, // a reported point
    };
    for (const auto& c : cases) {
        const auto placement = FirstRunTipWindow::place(c.anchor, area);
        EXPECT_EQ(placement.origin, c.origin) << c.anchor.x() << "," << c.anchor.y();
        EXPECT_DOUBLE_EQ(placement.arrowX, c.arrowX) << c.anchor.x();
        EXPECT_EQ(placement.above, c.above) << c.anchor.x();
    }
}

} // namespace
} // namespace corvanite::test

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ProbeProcess.h"
#include "tests/support/Screenshots.h"
#include "tests/support/WaitFor.h"
#include "tests/support/XvfbSession.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace corvanite::test;

namespace {

const QString kProbeClass = QStringLiteral("corvanite_status_probe");

QProcessEnvironment probeEnvironment(const XvfbSession& x)
{
    QProcessEnvironment env = x.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return env;
}

QRect parseGeometry(const QString& line)
{
    const QStringList p = line.split(QLatin1Char(' '));
    return p.size() == 5 ? QRect(p[1].toInt(), p[2].toInt(), p[3].toInt(), p[4].toInt()) : QRect();
}

// Share of the image's columns that hold a pixel clearly darker than the tray's light grey.
double inkedColumnShare(const QImage& image)
{
    int inked = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (QColor(image.pixel(x, y)).lightness() < 110) {
                ++inked;
                break;
            }
        }
    }
    return image.width() > 0 ? double(inked) / image.width() : 0;
}

class TrayOnXvfb : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QStringList missing = XvfbSession::missingTools();
        if (!missing.isEmpty())
            GTEST_SKIP() << "missing " << missing.join(QLatin1String(", ")).toStdString();
        x = std::make_unique<XvfbSession>();
        ASSERT_TRUE(x->isRunning()) << x->error().toStdString();
        ASSERT_TRUE(x->startTray(24)) << x->error().toStdString();
    }

    // Waits for the probe's item to settle in the tray with a width above `minWidth`.
    QRect settledGeometry(ProbeProcess& probe, int minWidth)
    {
        QRect geometry;
        probe.takeLine(QStringLiteral("geometry"), 10000, [&](const QString& line) {
            geometry = parseGeometry(line);
            return geometry.width() >= minWidth;
        });
        return geometry;
    }

    std::unique_ptr<XvfbSession> x;
};

TEST_F(TrayOnXvfb, TextItemReadsInTheTrayAndRightClickOpensItsMenu)
{
    const QString text = QStringLiteral("CPU 23%  MEM 61%  ↓1.2M ↑45K");
    ProbeProcess probe(QStringLiteral(CORVANITE_STATUS_PROBE), {QStringLiteral("--label"), text},
                       probeEnvironment(*x));
    ASSERT_EQ(probe.takeLine(QStringLiteral("kind")), QStringLiteral("kind tray"))
        << probe.transcript().toStdString();
    const QRect item = settledGeometry(probe, 120);
    ASSERT_GE(item.width(), 120) << probe.transcript().toStdString();
    EXPECT_EQ(item.height(), 22);
    EXPECT_EQ(item.y(), 1);

    const QImage screen = x->screenshot();
    ASSERT_FALSE(screen.isNull());
    screen.save(screenshotPath(QStringLiteral("tray-text-screen.png")));
    const QImage crop = screen.copy(item);
    crop.save(screenshotPath(QStringLiteral("tray-text-item.png")));
    crop.scaled(crop.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(screenshotPath(QStringLiteral("tray-text-item-x4.png")));
    // Ink across the item, not a shrunken image in its middle.
    EXPECT_GT(inkedColumnShare(crop), 0.6);

    ASSERT_TRUE(x->click(item.center(), 3));
    const auto menuAt = probe.takeLine(QStringLiteral("menu"));
    ASSERT_TRUE(menuAt) << probe.transcript().toStdString();
    EXPECT_EQ(probe.takeLine(QStringLiteral("popup")), QStringLiteral("popup 2 One|Two"));
    bool menuWindow = false;
    for (const QString& id : x->visibleWindows(kProbeClass)) {
        const auto info = x->windowInfo(id);
        if (info && info->overrideRedirect && info->geometry.height() > 30 &&
            info->geometry.intersects(QRect(item.x() - 200, 0, 600, 200)))
            menuWindow = true;
    }
    EXPECT_TRUE(menuWindow);
    x->screenshot().save(screenshotPath(QStringLiteral("tray-text-menu.png")));
}

TEST_F(TrayOnXvfb, IconItemTakesASquareSlot)
{
    ProbeProcess probe(QStringLiteral(CORVANITE_STATUS_PROBE),
                       {QStringLiteral("--label"), QString()}, probeEnvironment(*x));
    const QRect item = settledGeometry(probe, 1);
    ASSERT_TRUE(item.isValid()) << probe.transcript().toStdString();
    EXPECT_EQ(item.size(), QSize(22, 22));
    const QImage icon = x->screenshot().copy(item);
    icon.scaled(icon.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(screenshotPath(QStringLiteral("tray-icon-item-x4.png")));
    // The drawn strokes span most of the slot.
    EXPECT_GT(inkedColumnShare(icon), 0.6);
}

// The application's own status item, with live readings, in text mode.
TEST_F(TrayOnXvfb, ControllerShowsLiveFiguresOpensItsMenuAndTogglesThePanel)
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/corvanite");
    ASSERT_TRUE(QDir().mkpath(config));
    QFile prefs(config + QStringLiteral("/preferences.json"));
    ASSERT_TRUE(prefs.open(QIODevice::WriteOnly));
    prefs.write(R"({"menuBarStyle": "text", "menuBarMetrics": ["cpu", "memory", "network"],
                    "showNetSpeed": true, "menuBarShowIcon": true, "refreshInterval": 1,
                    "appLanguage": "en"})");
    prefs.close();

    ProbeProcess probe(QStringLiteral(CORVANITE_STATUS_PROBE), {}, probeEnvironment(*x));
    ASSERT_EQ(probe.takeLine(QStringLiteral("kind")), QStringLiteral("kind tray"))
        << probe.transcript().toStdString();
    // The text once the engine is on its third pass: composed from real readings by the tick.
    const QRegularExpression live(QStringLiteral(
        "^tick \\d+ CPU \\d+%  MEM \\d+%  ↓\\d+(\\.\\d)?[BKMG] ↑\\d+(\\.\\d)?[BKMG]$"));
    const auto ticked = probe.takeLine(QStringLiteral("tick"), 10000, [&](const QString& line) {
        return line.section(QLatin1Char(' '), 1, 1).toInt() >= 3;
    });
    ASSERT_TRUE(ticked) << probe.transcript().toStdString();
    EXPECT_TRUE(live.match(*ticked).hasMatch()) << ticked->toStdString();
    const QRect item = settledGeometry(probe, 150);
    ASSERT_GE(item.width(), 150) << probe.transcript().toStdString();

    const QImage screen = x->screenshot();
    screen.copy(item).save(screenshotPath(QStringLiteral("tray-live-item.png")));
    screen.copy(item)
        .scaled(item.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(screenshotPath(QStringLiteral("tray-live-item-x4.png")));
    // The item keeps room for the widest figures, so part of it stays blank.
    EXPECT_GT(inkedColumnShare(screen.copy(item)), 0.35);

    ASSERT_TRUE(x->click(item.center(), 3));
    const auto popup = probe.takeLine(QStringLiteral("popup"));
    ASSERT_TRUE(popup) << probe.transcript().toStdString();
    EXPECT_EQ(*popup, QStringLiteral("popup 11 Corvanite|-|Display|Show Network Speed|Compact Text|"
                                     "Panel Skin|-|Refresh Interval|-|Settings…|Quit Corvanite"));
    x->screenshot().save(screenshotPath(QStringLiteral("tray-live-menu.png")));
    ASSERT_TRUE(
        x->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")}));
    // A click while the menu still holds the pointer would only close the menu.
    const auto closed = [](const QString& line) { return line == QLatin1String("popup closed"); };
    ASSERT_TRUE(probe.takeLine(QStringLiteral("popup"), 10000, closed))
        << probe.transcript().toStdString();

    ASSERT_TRUE(x->click(item.center(), 1));
    const auto shown = probe.takeLine(QStringLiteral("panel"));
    ASSERT_TRUE(shown) << probe.transcript().toStdString();
    const QStringList p = shown->split(QLatin1Char(' '));
    ASSERT_EQ(p.size(), 6) << shown->toStdString();
    EXPECT_EQ(p[1], QStringLiteral("shown"));
    EXPECT_EQ(p[4].toInt(), 400);
    EXPECT_EQ(p[3].toInt(), item.bottom() + 1); // the panel hangs from the item's lower edge
    x->screenshot().save(screenshotPath(QStringLiteral("tray-live-panel.png")));

    // A second click on the item closes it.
    ASSERT_TRUE(x->click(item.center(), 1));
    EXPECT_EQ(probe.takeLine(QStringLiteral("panel")), QStringLiteral("panel hidden"))
        << probe.transcript().toStdString();
}

// A desktop whose tray starts after the app (the normal case at login) and goes away again.
TEST(DesktopOnXvfb, TheWindowStandsInUntilATrayAppearsAndReturnsWhenItGoes)
{
    const QStringList missing = XvfbSession::missingTools();
    if (!missing.isEmpty())
        GTEST_SKIP() << "missing " << missing.join(QLatin1String(", ")).toStdString();
    XvfbSession x;
    ASSERT_TRUE(x.isRunning()) << x.error().toStdString();
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/corvanite");
    ASSERT_TRUE(QDir().mkpath(config));
    QFile prefs(config + QStringLiteral("/preferences.json"));
    ASSERT_TRUE(prefs.open(QIODevice::WriteOnly));
    prefs.write(R"({"menuBarStyle": "text", "menuBarMetrics": ["cpu", "memory"],
                    "refreshInterval": 1, "appLanguage": "en"})");
    prefs.close();

    ProbeProcess probe(QStringLiteral(CORVANITE_STATUS_PROBE), {}, probeEnvironment(x));
    ASSERT_EQ(probe.takeLine(QStringLiteral("kind")), QStringLiteral("kind none"))
        << probe.transcript().toStdString();
    const auto window = probe.takeLine(QStringLiteral("panel"));
    ASSERT_TRUE(window) << probe.transcript().toStdString();
    EXPECT_TRUE(window->startsWith(QLatin1String("panel window ")));
    EXPECT_TRUE(window->endsWith(QLatin1String(" Corvanite"))) << window->toStdString();
    ASSERT_TRUE(waitFor([&] { return !x.visibleWindows(QStringLiteral("corvanite")).isEmpty(); }))
        << probe.transcript().toStdString();
    x.screenshot().save(screenshotPath(QStringLiteral("fallback-window.png")));

    ASSERT_TRUE(x.startTray(24)) << x.error().toStdString();
    EXPECT_EQ(probe.takeLine(QStringLiteral("item")), QStringLiteral("item tray"))
        << probe.transcript().toStdString();
    EXPECT_EQ(probe.takeLine(QStringLiteral("panel")), QStringLiteral("panel hidden"))
        << probe.transcript().toStdString();
    QRect item;
    probe.takeLine(QStringLiteral("geometry"), 10000, [&](const QString& line) {
        item = parseGeometry(line);
        return item.width() >= 60;
    });
    ASSERT_GE(item.width(), 60) << probe.transcript().toStdString();
    EXPECT_GT(inkedColumnShare(x.screenshot().copy(item)), 0.3);

    x.stopTray();
    EXPECT_EQ(probe.takeLine(QStringLiteral("item")), QStringLiteral("item none"))
        << probe.transcript().toStdString();
    const auto again = probe.takeLine(QStringLiteral("panel"));
    ASSERT_TRUE(again) << probe.transcript().toStdString();
    EXPECT_TRUE(again->startsWith(QLatin1String("panel window "))) << again->toStdString();
}

} // namespace

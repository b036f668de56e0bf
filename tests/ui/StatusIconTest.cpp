// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Screenshots.h"

#include "app/menubar/StatusIcon.h"
#include "app/menubar/StatusImage.h"

#include <QDir>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

int alphaAt(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

// Rows of the image that hold any ink.
QList<int> inkedRows(const QImage& image)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 96) {
                rows.append(y);
                break;
            }
        }
    }
    return rows;
}

TEST(StatusIcon, ThreeStrokesDrawnBottomUpAtTheRequestedDensity)
{
    const QImage icon = makeStatusIcon(1.0, QStringLiteral("Corvanite"));
    ASSERT_EQ(icon.size(), QSize(21, 18));
    EXPECT_EQ(icon.text(QStringLiteral("Description")), QStringLiteral("Corvanite"));
    // The flat start of the pulse at height 8.5 from the bottom, the needle, and the lower end
    // of the diagonal, which lies at the bottom right only when y grows upwards.
    EXPECT_GT(alphaAt(icon, 3, 9), 200);
    EXPECT_GT(alphaAt(icon, 11, 9), 200);
    EXPECT_GT(alphaAt(icon, 18, 15), 100);
    // Empty corners: top left and bottom left.
    EXPECT_EQ(alphaAt(icon, 1, 1), 0);
    EXPECT_EQ(alphaAt(icon, 1, 16), 0);
    // Template ink is black.
    EXPECT_EQ(qRed(icon.pixel(11, 9)), 0);

    const QImage dense = makeStatusIcon(2.0);
    EXPECT_EQ(dense.size(), QSize(42, 36));
    EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(21, 18));
    EXPECT_GT(alphaAt(dense, 22, 18), 200);
}

TEST(StatusIcon, TintKeepsCoverageAndChangesColour)
{
    const QImage icon = makeStatusIcon(1.0);
    const QImage white = tintTemplate(icon, Qt::white);
    for (const QPoint p : {QPoint(3, 9), QPoint(18, 15), QPoint(1, 1)}) {
        EXPECT_EQ(qAlpha(white.pixel(p)), qAlpha(icon.pixel(p)));
        if (qAlpha(white.pixel(p)) == 255) {
            EXPECT_EQ(QColor(white.pixel(p)), QColor(Qt::white));
        }
    }
}

TEST(StatusIcon, PanelShadeRule)
{
    const QColor light(0xef, 0xef, 0xef);
    const QColor dark(0x2a, 0x2a, 0x2e);
    EXPECT_EQ(guessPanelShade(QStringLiteral("GNOME"), light), PanelShade::Dark);
    EXPECT_EQ(guessPanelShade(QStringLiteral("ubuntu:GNOME"), light), PanelShade::Dark);
    EXPECT_EQ(guessPanelShade(QStringLiteral("KDE"), dark), PanelShade::Dark);
    EXPECT_EQ(guessPanelShade(QStringLiteral("KDE"), light), PanelShade::Light);
    EXPECT_EQ(guessPanelShade(QString(), light), PanelShade::Light);
    EXPECT_GT(inkFor(PanelShade::Dark).lightness(), 200);
    EXPECT_LT(inkFor(PanelShade::Light).lightness(), 50);
}

TEST(StatusImage, OneLineGrowsWithTheTextAndFillsTheSlotHeight)
{
    const QIcon icon = statusIconSet();
    const QImage shortLine =
        StatusImage::line(icon, QStringLiteral("5%"), false, 22, 2.0, Qt::black);
    const QImage longLine =
        StatusImage::line(icon, QStringLiteral("CPU 23%  MEM 61%"), false, 22, 2.0, Qt::black);
    EXPECT_EQ(shortLine.height(), 44);
    EXPECT_EQ(longLine.deviceIndependentSize().height(), 22);
    EXPECT_GT(longLine.width(), shortLine.width() * 2);
    EXPECT_EQ(qRound(longLine.deviceIndependentSize().width()),
              StatusImage::lineWidth(icon, QStringLiteral("CPU 23%  MEM 61%"), false, 22));
    // Without the icon the text starts at the left padding.
    EXPECT_LT(StatusImage::lineWidth(QIcon(), QStringLiteral("5%"), false, 22),
              StatusImage::lineWidth(icon, QStringLiteral("5%"), false, 22) - 20);
}

TEST(StatusImage, CompactColumnsUseBothHalvesOfTheSlot)
{
    const CompactColumns columns{{QStringLiteral("23%"), QStringLiteral("61%")},
                                 {QStringLiteral("↓1.2M"), QStringLiteral("↑45K")}};
    const QImage image = StatusImage::columns(QIcon(), columns, 22, 1.0, Qt::black);
    ASSERT_EQ(image.height(), 22);
    const QList<int> rows = inkedRows(image);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_LT(rows.first(), 9);
    EXPECT_GT(rows.last(), 13);
    // Two stacked percentages fit a square slot.
    EXPECT_LE(StatusImage::columnsWidth(QIcon(), {columns[0]}, 22), 26);
    image.save(corvanite::test::screenshotPath(QStringLiteral("compact-columns-22.png")));
}

} // namespace

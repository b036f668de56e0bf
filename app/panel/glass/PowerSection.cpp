// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/PowerSection.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Theme.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kTop = 40;
constexpr int kGap = 10;
constexpr int kHealth = 28;
} // namespace

PowerSection::PowerSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Power, parent)
{
    relayout();
}

PowerSection::ChargeLook PowerSection::chargeLook(std::optional<int> percentage)
{
    if (!percentage)
        return {QStringLiteral("battery.25percent"), Theme::secondaryText, Theme::secondaryText};
    const int p = *percentage;
    QString symbol;
    QColor tile;
    if (p >= 90)
        symbol = QStringLiteral("battery.100percent"), tile = Theme::networkDown;
    else if (p >= 60)
        symbol = QStringLiteral("battery.75percent"), tile = Theme::networkDown;
    else if (p >= 50)
        symbol = QStringLiteral("battery.50percent"), tile = Theme::networkDown;
    else if (p >= 35)
        symbol = QStringLiteral("battery.50percent"), tile = Theme::networkUp;
    else if (p >= 20)
        symbol = QStringLiteral("battery.25percent"), tile = Theme::networkUp;
    else if (p >= 10)
        symbol = QStringLiteral("battery.25percent"), tile = Theme::red;
    else
        symbol = QStringLiteral("battery.0percent"), tile = Theme::red;
    const QColor value = p >= 50 ? Theme::networkDown : (p >= 20 ? Theme::networkUp : Theme::red);
    return {symbol, tile, value};
}

int PowerSection::contentHeight() const
{
    return kTop + kGap + kHealth;
}

QStringList PowerSection::statusLines(const BatterySample& battery)
{
    if (!battery.percentage)
        return {};
    return {battery.statusText(),
            L(battery.externalConnected ? QStringLiteral("battery.power.ac")
                                        : QStringLiteral("battery.power.internal"))};
}

void PowerSection::paintContent(QPainter& painter, double width)
{
    const BatterySample& b = values().battery;
    const ChargeLook look = chargeLook(b.percentage);
    Paint::tile(painter, QRectF(0, (kTop - 28) / 2.0, 28, 28), look.symbol, look.tileColor);
    Paint::text(painter, QRectF(38, 0, 150, 14), L(QStringLiteral("glass.battery.title")),
                PanelFonts::text(11, QFont::DemiBold), Theme::secondaryText);
    const QString value =
        b.percentage ? QString::number(*b.percentage) + QStringLiteral("%") : QStringLiteral("—");
    Paint::text(painter, QRectF(37, 12, 120, 28), value, PanelFonts::digits(24, QFont::DemiBold),
                look.valueColor);
    const double rightW = width - 170;
    const QStringList lines = statusLines(b);
    if (!lines.isEmpty()) {
        Paint::text(painter, QRectF(width - rightW, 4, rightW, 15), lines[0],
                    PanelFonts::text(11, QFont::Medium),
                    b.isCharging ? Theme::networkDown : Theme::secondaryText,
                    Qt::AlignRight | Qt::AlignVCenter);
        Paint::text(painter, QRectF(width - rightW, 21, rightW, 14), lines[1], PanelFonts::text(10),
                    Theme::tertiaryText, Qt::AlignRight | Qt::AlignVCenter);
    }

    const double y = kTop + kGap;
    painter.fillRect(QRectF(0, y - kGap / 2.0, width, 0.5), Theme::white(0.08));
    Paint::tile(painter, QRectF(0, y, 28, 28), QStringLiteral("heart.fill"),
                Theme::rgb(1.0, 0.42, 0.42));
    const QFont titleFont = PanelFonts::text(11, QFont::DemiBold);
    const QString title = L(QStringLiteral("battery.health.title"));
    const double titleW = Paint::textWidth(titleFont, title) + 1;
    Paint::text(painter, QRectF(38, y, titleW, kHealth), title, titleFont, Theme::secondaryText);
    const QString health = b.healthPercent ? QString::number(*b.healthPercent) + QStringLiteral("%")
                                           : QStringLiteral("—");
    Paint::text(painter, QRectF(38 + titleW + 8, y, 60, kHealth), health,
                PanelFonts::digits(13, QFont::Medium), Theme::primaryText);
    QStringList extras;
    double x = width;
    const QFont small = PanelFonts::text(10);
    if (b.powerWatts && *b.powerWatts > 0.1) {
        const QString watts = L(QStringLiteral("battery.power.watts"), {*b.powerWatts});
        const double w = Paint::textWidth(small, watts) + 1;
        Paint::text(painter, QRectF(x - w, y, w, kHealth), watts, small, Theme::secondaryText);
        x -= w + 10;
    }
    if (b.cycleCount) {
        const QString cycles = L(QStringLiteral("battery.cycles"), {*b.cycleCount});
        const double w = Paint::textWidth(small, cycles) + 1;
        Paint::text(painter, QRectF(x - w, y, w, kHealth), cycles, small, Theme::tertiaryText);
    }
}

} // namespace corvanite

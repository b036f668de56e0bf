// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/NetworkSection.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Sparkline.h"
#include "app/panel/Symbols.h"
#include "app/panel/Theme.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kHeader = 46;
constexpr int kGap = 8;
constexpr int kCaption = 13;
constexpr int kChart = 28;
} // namespace

NetworkSection::NetworkSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Network, parent)
{
    relayout();
}

int NetworkSection::contentHeight() const
{
    return kHeader + kGap + kCaption + 3 + kChart;
}

void NetworkSection::paintContent(QPainter& painter, double width)
{
    const NetSample& net = values().network;
    Paint::tile(painter, QRectF(0, (kHeader - 28) / 2.0, 28, 28), QStringLiteral("network"),
                Theme::networkDown);
    Paint::text(painter, QRectF(38, 0, width - 38, 14), L(QStringLiteral("glass.network.title")),
                PanelFonts::text(11, QFont::DemiBold), Theme::secondaryText);
    // Arrows in the rate line tell the directions apart without words.
    const QFont rateFont = PanelFonts::digits(12, QFont::Medium);
    double x = 38;
    const auto rate = [&](const QString& symbol, const QColor& color, const QString& text) {
        Paint::symbol(painter, QRectF(x - 2, 15, 14, 16), symbol, 13, color);
        x += 12;
        const double w = Paint::textWidth(rateFont, text) + 1;
        Paint::text(painter, QRectF(x, 15, w, 16), text, rateFont, Theme::primaryText);
        x += w + 12;
    };
    rate(QStringLiteral("arrow.down"), Theme::networkDown, Format::speedString(net.downBps));
    rate(QStringLiteral("arrow.up"), Theme::networkUp, Format::speedString(net.upBps));
    Paint::text(painter, QRectF(38, 32, width - 38, 13),
                L(QStringLiteral("glass.network.realtime")), PanelFonts::text(10),
                Theme::tertiaryText);

    const double y = kHeader + kGap;
    const double chartW = (width - 10) / 2;
    const QFont caption = PanelFonts::text(10);
    Paint::text(painter, QRectF(0, y, chartW, kCaption),
                L(QStringLiteral("glass.network.download")), caption, Theme::secondaryText);
    Paint::text(painter, QRectF(chartW + 10, y, chartW, kCaption),
                L(QStringLiteral("glass.network.upload")), caption, Theme::secondaryText);
    Sparkline::paint(painter, QRectF(0, y + kCaption + 3, chartW, kChart), values().downHistory,
                     Theme::networkDown, std::nullopt);
    Sparkline::paint(painter, QRectF(chartW + 10, y + kCaption + 3, chartW, kChart),
                     values().upHistory, Theme::networkUp, std::nullopt);
}

} // namespace corvanite

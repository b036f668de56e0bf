// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/GlassParts.h"

#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/Theme.h"

#include <QPainter>

#include <optional>

namespace corvanite::GlassParts {

double headerRow(QPainter& painter, const QString& symbol, const QColor& color,
                 const QString& title, const QString& value)
{
    Paint::tile(painter, QRectF(0, (kHeaderRow - 28) / 2, 28, 28), symbol, color);
    const QFont valueFont = PanelFonts::digits(26, QFont::DemiBold);
    const double valueW = Paint::textWidth(valueFont, value) + 2;
    Paint::text(painter, QRectF(38, 0, 200, 14), title, PanelFonts::text(11, QFont::DemiBold),
                Theme::secondaryText);
    Paint::text(painter, QRectF(37, 13, valueW, 33), value, valueFont, Theme::primaryText);
    return 38 + valueW;
}

void meterRow(QPainter& painter, double x, double y, double width, const QString& label,
              double labelWidth, std::optional<double> percent, bool labelIsMono)
{
    constexpr double kRow = 12;
    const QFont labelFont = labelIsMono ? PanelFonts::mono(10) : PanelFonts::text(10);
    Paint::text(painter, QRectF(x, y, labelWidth, kRow), label, labelFont, Theme::tertiaryText);
    const double valueW = 30;
    const QRectF bar(x + labelWidth + 4, y + (kRow - 5) / 2, width - labelWidth - 4 - valueW - 4,
                     5);
    const double p = percent.value_or(0);
    Paint::capsuleBar(painter, bar, percent ? std::min(p, 100.0) / 100 : 0,
                      Theme::usageGradient(p, bar.topLeft(), bar.topRight()), Theme::trackFill);
    Paint::text(painter, QRectF(x + width - valueW, y, valueW, kRow),
                percent ? QString::asprintf("%.0f%%", p) : QStringLiteral("—"),
                PanelFonts::digits(10), Theme::secondaryText, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace corvanite::GlassParts

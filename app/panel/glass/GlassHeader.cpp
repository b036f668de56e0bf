// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/GlassHeader.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"

#include <QPainter>

namespace corvanite {

GlassHeader::GlassHeader(const Clock& clock, PanelFlipState& flip, QWidget* parent)
    : QWidget(parent)
    , m_clock(clock)
    , m_gear(new SymbolButton(QStringLiteral("gearshape.fill"), 15, Theme::tertiaryText, this))
{
    setFixedHeight(kHeight);
    m_gear->setToolTip(L(QStringLiteral("settings.title")));
    connect(m_gear, &QAbstractButton::clicked, &flip, [&flip] { flip.setFlipped(true); });
}

void GlassHeader::resizeEvent(QResizeEvent*)
{
    m_gear->move(width() - 12 - m_gear->width() + 4, (kHeight - m_gear->height()) / 2);
}

void GlassHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint::symbol(painter, QRectF(14, 0, 20, kHeight),
                  QStringLiteral("gauge.with.dots.needle.67percent"), 19, Theme::cpu);
    Paint::text(painter, QRectF(40, 0, 200, kHeight), L(QStringLiteral("glass.panel.title")),
                PanelFonts::text(13, QFont::DemiBold), Theme::primaryText);
    const QFont clockFont = PanelFonts::digits(11);
    const QString clock = Format::currentTime(m_clock);
    const double w = Paint::textWidth(clockFont, clock) + 1;
    Paint::text(painter, QRectF(m_gear->x() - 6 - w, 0, w, kHeight), clock, clockFont,
                Theme::tertiaryText, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace corvanite

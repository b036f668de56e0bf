// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/CapsuleButton.h"

#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"

#include <QPainter>

#include <cmath>

namespace corvanite {

CapsuleButton::CapsuleButton(const QString& symbol, const QString& title, const QColor& color,
                             Look look, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(symbol)
    , m_color(color)
    , m_look(look)
{
    setText(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

QSize CapsuleButton::sizeHint() const
{
    const double textWidth =
        Paint::textWidth(PanelFonts::text(m_look.pixelSize, QFont::DemiBold), text());
    const double width = m_look.margins.left() + (m_look.pixelSize + 2) + m_look.symbolGap +
                         textWidth + m_look.margins.right();
    const double height = m_look.margins.top() + m_look.pixelSize + 4 + m_look.margins.bottom();
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

void CapsuleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(isDown() ? m_color.darker(115) : m_color);
    painter.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    const double symbolSide = m_look.pixelSize + 2;
    const QRectF symbolRect(m_look.margins.left(), 0, symbolSide, r.height());
    Paint::symbol(painter, symbolRect, m_symbol, m_look.pixelSize + 1, Qt::white);
    const QRectF textRect(
        symbolRect.right() + m_look.symbolGap, 0,
        r.width() - symbolRect.right() - m_look.symbolGap - m_look.margins.right() + 1, r.height());
    Paint::text(painter, textRect, text(), PanelFonts::text(m_look.pixelSize, QFont::DemiBold),
                Qt::white);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/SymbolButton.h"

#include "app/panel/Paint.h"

#include <QPainter>

namespace corvanite {

SymbolButton::SymbolButton(const QString& symbol, double pixelSize, const QColor& color,
                           QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(symbol)
    , m_pixelSize(pixelSize)
    , m_color(color)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    const int side = qRound(pixelSize) + 8;
    setFixedSize(side, side);
}

void SymbolButton::setSymbol(const QString& symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolButton::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QSize SymbolButton::sizeHint() const
{
    return size();
}

void SymbolButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor color = m_color;
    if (!isEnabled())
        color.setAlphaF(color.alphaF() * 0.4f);
    else if (isDown())
        color = color.lighter(130);
    Paint::symbol(painter, rect(), m_symbol, m_pixelSize, color);
}

} // namespace corvanite

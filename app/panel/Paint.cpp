#include "app/panel/Paint.h"

#include "app/panel/Symbols.h"
#include "app/panel/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace corvanite::Paint {

void symbol(QPainter& painter, const QRectF& rect, const QString& name, double pixelSize,
            const QColor& color)
{
    painter.save();
    painter.setFont(Symbols::font(pixelSize));
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignCenter, Symbols::glyph(name));
    painter.restore();
}

void text(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
          const QColor& color, int alignment, Qt::TextElideMode elide)
{
    const QFontMetricsF metrics(font);
    const QString shown = metrics.horizontalAdvance(text) > rect.width() + 0.5
                              ? metrics.elidedText(text, elide, rect.width())
                              : text;
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(rect, alignment | Qt::TextSingleLine, shown);
}

double textWidth(const QFont& font, const QString& text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

void tile(QPainter& painter, const QRectF& rect, const QString& symbolName, const QColor& color)
{
    QColor tint = color;
    tint.setAlphaF(0.16f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawRoundedRect(rect, 8, 8);
    symbol(painter, rect, symbolName, 16, color);
}

void capsuleBar(QPainter& painter, const QRectF& rect, double fraction, const QBrush& fill,
                const QColor& track)
{
    const double radius = rect.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(track);
    painter.drawRoundedRect(rect, radius, radius);
    const double filled = rect.width() * std::clamp(fraction, 0.0, 1.0);
    if (filled <= 0)
        return;
    painter.setBrush(fill);
    painter.drawRoundedRect(
        QRectF(rect.left(), rect.top(), std::max(filled, rect.height()), rect.height()), radius,
        radius);
}

void glassCard(QPainter& painter, const QRectF& rect, double radius)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::cardFill);
    painter.drawRoundedRect(rect, radius, radius);
    painter.setPen(QPen(Theme::cardBorder, 0.5));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = rect.adjusted(0.25, 0.25, -0.25, -0.25);
    painter.drawRoundedRect(inner, radius - 0.25, radius - 0.25);
}

} // namespace corvanite::Paint

#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace corvanite {

// Small drawing steps the panel views share.
namespace Paint {

// The named symbol centred in `rect`.
void symbol(QPainter& painter, const QRectF& rect, const QString& name, double pixelSize,
            const QColor& color);
// One line of text, elided (in the middle or at the right) to fit the rectangle.
void text(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
          const QColor& color, int alignment = Qt::AlignLeft | Qt::AlignVCenter,
          Qt::TextElideMode elide = Qt::ElideRight);
// The width the text takes in the font.
double textWidth(const QFont& font, const QString& text);
// A 28 x 28 rounded tile tinted with the colour, the symbol in it.
void tile(QPainter& painter, const QRectF& rect, const QString& symbolName, const QColor& color);
// A capsule track with its left `fraction` filled by `fill`.
void capsuleBar(QPainter& painter, const QRectF& rect, double fraction, const QBrush& fill,
                const QColor& track);
// The glass card: translucent fill and a hairline border inside the edge.
void glassCard(QPainter& painter, const QRectF& rect, double radius = 14);

} // namespace Paint
} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QRegion>
#include <QString>

#include <functional>

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

// A drawing that stays the same from tick to tick, kept as a picture. Big anti-aliased fills
// are costly to rasterise (Qt spreads a tall fill over its worker threads and waits for them);
// copying the picture into the dirty part of a repaint is not.
struct Layer {
    QPixmap pixmap;
    QString key;
};
// A picture every widget drawing the same thing shares, kept in Qt's pixmap cache under `key` and
// the pixel ratio; `draw` paints it (antialiased, on transparent) when the cache lacks it.
QPixmap sharedPicture(const QString& key, const QSizeF& size, qreal dpr,
                      const std::function<void(QPainter&)>& draw);
// A rounded rectangle filled with a flat colour, drawn from a cached picture: wells that are
// repainted with their content on every tick.
void roundedFill(QPainter& painter, const QRectF& rect, double radius, const QColor& color);
// Draws `layer` at the origin over the repainted `region`, first painting it with `draw` when
// its key, size or pixel ratio no longer match.
void cached(QPainter& painter, const QRegion& region, Layer& layer, const QString& key,
            const QSize& size, qreal dpr, const std::function<void(QPainter&)>& draw);

} // namespace Paint
} // namespace corvanite

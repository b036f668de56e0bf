// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/Paint.h"

#include "app/panel/Symbols.h"
#include "app/panel/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

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

QPixmap sharedPicture(const QString& key, const QSizeF& size, qreal dpr,
                      const std::function<void(QPainter&)>& draw)
{
    const QString fullKey = key + QStringLiteral(" @%1").arg(dpr);
    QPixmap pixmap;
    if (QPixmapCache::find(fullKey, &pixmap))
        return pixmap;
    pixmap = QPixmap((size * dpr).toSize());
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    QPixmapCache::insert(fullKey, pixmap);
    return pixmap;
}

void roundedFill(QPainter& painter, const QRectF& rect, double radius, const QColor& color)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QTransform& t = painter.worldTransform();
    if (t.type() > QTransform::TxTranslate) {
        // Turned or scaled (the flip's snapshot): draw it as it is.
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawRoundedRect(rect, radius, radius);
        painter.restore();
        return;
    }
    const QString key = QStringLiteral("corvanite-well %1x%2 %3 %4")
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(radius)
                            .arg(color.rgba(), 0, 16);
    const QPixmap pixmap = sharedPicture(key, rect.size(), dpr, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawRoundedRect(QRectF(QPointF(0, 0), rect.size()), radius, radius);
    });
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect.topLeft(), pixmap);
    painter.restore();
}

void cached(QPainter& painter, const QRegion& region, Layer& layer, const QString& key,
            const QSize& size, qreal dpr, const std::function<void(QPainter&)>& draw)
{
    const QSize pixels = size * dpr;
    if (layer.key != key || layer.pixmap.size() != pixels ||
        layer.pixmap.devicePixelRatio() != dpr) {
        layer.pixmap = QPixmap(pixels);
        layer.pixmap.setDevicePixelRatio(dpr);
        layer.pixmap.fill(Qt::transparent);
        QPainter p(&layer.pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        layer.key = key;
    }
    // One copy per rectangle: clipped to a ragged region, Qt blends the picture line by line
    // through the same threaded fill as a path; to a rectangle it is a straight copy.
    painter.save();
    // Smooth transforms would take the slow path even for a plain copy.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& r : region) {
        painter.setClipRect(r);
        painter.drawPixmap(0, 0, layer.pixmap);
    }
    painter.restore();
}

} // namespace corvanite::Paint

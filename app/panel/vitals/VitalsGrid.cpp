// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsGrid.h"

#include "app/panel/Paint.h"
#include "app/panel/VitalsTheme.h"

#include <QPainter>

namespace corvanite::VitalsGrid {

namespace {
void draw(QPainter& painter, const QSizeF& size)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(VitalsTheme::gridline, 1));
    for (double x = 0; x < size.width(); x += kPitch)
        painter.drawLine(QPointF(x, 0), QPointF(x, size.height()));
    for (double y = 0; y < size.height(); y += kPitch)
        painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
}
} // namespace

void paint(QPainter& painter, const QRectF& rect)
{
    // Every channel's grid has the same size, and each line drawn on its own is a tall span fill
    // that Qt hands to its worker threads: one picture, drawn once, serves them all.
    const qreal dpr = painter.device()->devicePixelRatioF();
    if ((rect.size() * dpr).toSize().isEmpty())
        return;
    const QString key =
        QStringLiteral("corvanite-vitals-grid %1x%2").arg(rect.width()).arg(rect.height());
    const QPixmap picture =
        Paint::sharedPicture(key, rect.size(), dpr, [&](QPainter& p) { draw(p, rect.size()); });
    painter.drawPixmap(rect.topLeft(), picture);
}

} // namespace corvanite::VitalsGrid

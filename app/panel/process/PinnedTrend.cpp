// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/PinnedTrend.h"

#include "app/panel/Theme.h"

#include <QPainter>

#include <algorithm>

namespace corvanite::PinnedTrend {

QPolygonF points(const QList<double>& values, QSizeF size)
{
    QPolygonF line;
    if (values.isEmpty())
        return line;
    const double top = std::max(*std::max_element(values.begin(), values.end()), 5.0);
    const double step = values.size() < 3 ? size.width() : size.width() / (values.size() - 1);
    for (qsizetype i = 0; i < values.size(); ++i)
        line.append(QPointF(i * step, size.height() - (size.height() - 2) * values[i] / top - 1));
    return line;
}

void paint(QPainter& painter, const QRectF& rect, const QList<double>& values)
{
    painter.save();
    painter.translate(rect.topLeft());
    QPen pen(Theme::cpu, 1.4);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(points(values, rect.size()));
    painter.restore();
}

} // namespace corvanite::PinnedTrend

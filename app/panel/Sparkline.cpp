// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/Sparkline.h"

#include "app/panel/Paint.h"
#include "app/panel/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace corvanite::Sparkline {

namespace {

double clampedTop(double top)
{
    return top <= 1 ? 1.0 : top;
}

double yFor(double value, double top, double height)
{
    return height - height * std::clamp(value, 0.0, top) / top;
}

QPen linePen(const QColor& color)
{
    QPen pen(color, 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setMiterLimit(10);
    return pen;
}

} // namespace

QPolygonF linePoints(const QList<double>& values, QSizeF size, std::optional<double> maxValue)
{
    if (values.isEmpty() || size.width() <= 2 || size.height() <= 2)
        return {};
    const double top =
        clampedTop(maxValue ? *maxValue : *std::max_element(values.begin(), values.end()));
    const double step = size.width() / std::max<double>(values.size() - 1, 1);
    QPolygonF points;
    points.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(QPointF(i * step, yFor(values[i], top, size.height())));
    return points;
}

QList<QPolygonF> slotRuns(const QList<std::optional<double>>& slots, QSizeF size,
                          std::optional<double> maxValue)
{
    QList<QPolygonF> runs;
    if (slots.isEmpty() || size.width() <= 2 || size.height() <= 2)
        return runs;
    double largest = 0;
    bool any = false;
    for (const auto& slot : slots) {
        if (slot) {
            largest = any ? std::max(largest, *slot) : *slot;
            any = true;
        }
    }
    const double top = clampedTop(maxValue ? *maxValue : (any ? largest : 1.0));
    const double step = size.width() / std::max<double>(slots.size() - 1, 1);
    QPolygonF run;
    const auto finish = [&] {
        if (run.size() == 1) {
            const QPointF p = run.first();
            run = QPolygonF{QPointF(p.x() - 1.5, p.y()), QPointF(p.x() + 1.5, p.y())};
        }
        if (!run.isEmpty())
            runs.append(run);
        run.clear();
    };
    for (qsizetype i = 0; i < slots.size(); ++i) {
        if (slots[i])
            run.append(QPointF(i * step, yFor(*slots[i], top, size.height())));
        else
            finish();
    }
    finish();
    return runs;
}

void paint(QPainter& painter, const QRectF& rect, const QList<double>& values, const QColor& color,
           std::optional<double> maxValue, const std::optional<QList<std::optional<double>>>& slots,
           bool drawWell)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (drawWell)
        Paint::roundedFill(painter, rect, 9, Theme::listWell);
    // The line keeps a little air inside the well so its stroke is not cut at the edges.
    const QRectF canvas = rect.adjusted(3, 3, -3, -3);
    painter.translate(canvas.topLeft());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(linePen(color));
    if (slots) {
        for (const QPolygonF& run : slotRuns(*slots, canvas.size(), maxValue))
            painter.drawPolyline(run);
    } else {
        const QPolygonF points = linePoints(values, canvas.size(), maxValue);
        if (!points.isEmpty()) {
            QPainterPath area;
            area.moveTo(points.first().x(), canvas.height());
            for (const QPointF& p : points)
                area.lineTo(p);
            area.lineTo(points.last().x(), canvas.height());
            area.closeSubpath();
            QLinearGradient fill(0, 0, 0, canvas.height());
            QColor topColor = color;
            topColor.setAlphaF(0.30f);
            QColor bottomColor = color;
            bottomColor.setAlphaF(0.0f);
            fill.setColorAt(0, topColor);
            fill.setColorAt(1, bottomColor);
            painter.setPen(Qt::NoPen);
            painter.fillPath(area, fill);
            painter.setPen(linePen(color));
            painter.drawPolyline(points);
        }
    }
    painter.restore();
}

} // namespace corvanite::Sparkline

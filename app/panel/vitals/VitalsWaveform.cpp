// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsWaveform.h"

#include "app/panel/vitals/VitalsGrid.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace corvanite {

namespace {

double yFor(double value, double top, double height)
{
    return height * (0.92 - 0.84 * std::clamp(value / top, 0.0, 1.0));
}

QColor withAlpha(QColor c, double alpha)
{
    c.setAlphaF(static_cast<float>(alpha));
    return c;
}

} // namespace

VitalsWaveform::VitalsWaveform(QWidget* parent)
    : QWidget(parent)
{
}

QPolygonF VitalsWaveform::valuePoints(const QList<double>& values, QSizeF size,
                                      std::optional<double> maxValue, int capacity)
{
    const double width = size.width();
    if (values.size() < 2 || width <= 4)
        return {};
    double top = maxValue.value_or(*std::max_element(values.begin(), values.end()));
    top = std::max(top, 0.001);
    const double m = width / std::max(capacity - 1, 1);
    const double count = static_cast<double>(values.size());
    QPolygonF points;
    points.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        points.append(QPointF(width - m * (count - 1) + m * static_cast<double>(i),
                              yFor(values[i], top, size.height())));
    return points;
}

QList<QPolygonF> VitalsWaveform::slotRuns(const QList<std::optional<double>>& slots, QSizeF size,
                                          std::optional<double> maxValue)
{
    double largest = 0;
    bool any = false;
    for (const auto& s : slots) {
        if (s) {
            largest = any ? std::max(largest, *s) : *s;
            any = true;
        }
    }
    const double top = std::max(maxValue.value_or(any ? largest : 1.0), 0.001);
    const qsizetype count = slots.size();
    const double denominator = count < 3 ? 1.0 : static_cast<double>(count - 1);
    QList<QPolygonF> runs;
    QPolygonF run;
    for (qsizetype i = 0; i <= count; ++i) {
        if (i < count && slots[i]) {
            run.append(QPointF(size.width() * static_cast<double>(i) / denominator,
                               yFor(*slots[i], top, size.height())));
            continue;
        }
        if (run.size() == 1) {
            const QPointF p = run.first();
            run = QPolygonF({QPointF(p.x() - 1.5, p.y()), QPointF(p.x() + 1.5, p.y())});
        }
        if (!run.isEmpty())
            runs.append(run);
        run.clear();
    }
    return runs;
}

void VitalsWaveform::setTrace(const QList<double>& values, const QColor& color,
                              std::optional<double> maxValue,
                              const std::optional<QList<std::optional<double>>>& slots,
                              int capacity)
{
    m_values = values;
    m_color = color;
    m_maxValue = maxValue;
    m_slots = slots;
    m_capacity = capacity;
    render();
    update();
}

void VitalsWaveform::resizeEvent(QResizeEvent*)
{
    render();
}

void VitalsWaveform::render()
{
    const qreal dpr = devicePixelRatioF();
    const QSizeF size = QSizeF(this->size());
    if (size.isEmpty()) {
        m_picture = {};
        return;
    }
    m_picture = QPixmap((size * dpr).toSize());
    m_picture.setDevicePixelRatio(dpr);
    m_picture.fill(Qt::transparent);
    QPainter painter(&m_picture);
    // The grid is part of the picture: drawn live, its lines would be rasterised again on every
    // pulse frame.
    VitalsGrid::paint(painter, QRectF(QPointF(0, 0), size));
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_slots) {
        QPen pen(m_color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        for (const QPolygonF& run : slotRuns(*m_slots, size, m_maxValue))
            painter.drawPolyline(run);
        return;
    }
    const QPolygonF points = valuePoints(m_values, size, m_maxValue, m_capacity);
    if (points.isEmpty())
        return;
    QPainterPath trace;
    trace.addPolygon(points);
    QPainterPath area = trace;
    area.lineTo(size.width(), size.height());
    area.lineTo(points.first().x(), size.height());
    area.closeSubpath();
    QLinearGradient fade(0, 0, 0, size.height());
    fade.setColorAt(0, withAlpha(m_color, 0.20));
    fade.setColorAt(1, withAlpha(m_color, 0));
    painter.fillPath(area, fade);
    paintGlow(painter, trace, size);
    QPen line(m_color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    line.setMiterLimit(10);
    painter.strokePath(trace, line);
}

// The glow: the 3-point stroke drawn into a layer of one pixel per 4 points and scaled back
// smoothly, which spreads it like a blur of about 2.5 points. Wide halo strokes at full
// resolution cost eight times the rest of the picture on a jagged trace.
void VitalsWaveform::paintGlow(QPainter& painter, const QPainterPath& trace, QSizeF size) const
{
    constexpr double kPointsPerPixel = 4;
    QImage layer((size / kPointsPerPixel).toSize() + QSize(2, 2),
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        layerPainter.scale(1 / kPointsPerPixel, 1 / kPointsPerPixel);
        layerPainter.strokePath(
            trace, QPen(withAlpha(m_color, 0.55), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(layer.size()) * kPointsPerPixel), layer);
    painter.restore();
}

void VitalsWaveform::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QPointF(0, 0), m_picture);
}

} // namespace corvanite

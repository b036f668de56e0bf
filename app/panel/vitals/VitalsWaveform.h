// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QPolygonF>
#include <QSizeF>
#include <QWidget>

#include <optional>

class QPainter;
class QPainterPath;

namespace corvanite {

// A channel's trace over its grid. Live samples are right-aligned, so the newest one is always
// at the right edge and the trace sweeps in from the right one sample per tick; history slots are
// drawn as separate runs with gaps where nothing was stored. The picture is kept between paints,
// so a repaint for an alarm pulse only copies it.
class VitalsWaveform : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCapacity = 90;

    explicit VitalsWaveform(QWidget* parent = nullptr);

    void setTrace(const QList<double>& values, const QColor& color, std::optional<double> maxValue,
                  const std::optional<QList<std::optional<double>>>& slots,
                  int capacity = kCapacity);

    // The grid and trace as last drawn, for a cover that paints the trace over itself.
    const QPixmap& picture() const { return m_picture; }

    // The trace's points in a canvas of `size`; empty when there is nothing to draw.
    static QPolygonF valuePoints(const QList<double>& values, QSizeF size,
                                 std::optional<double> maxValue, int capacity);
    // The runs of present slots; a lone slot is a 3-point dash, absent slots break the trace.
    static QList<QPolygonF> slotRuns(const QList<std::optional<double>>& slots, QSizeF size,
                                     std::optional<double> maxValue);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    void paintGlow(QPainter& painter, const QPainterPath& trace, QSizeF size) const;

    QList<double> m_values;
    QColor m_color;
    std::optional<double> m_maxValue;
    std::optional<QList<std::optional<double>>> m_slots;
    int m_capacity = kCapacity;
    QPixmap m_picture;
};

} // namespace corvanite

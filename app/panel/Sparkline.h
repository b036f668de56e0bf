// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

#include <optional>

class QPainter;

namespace corvanite {

// The small history chart of the glass cards: a filled line over the latest values, or, for the
// long windows, separate line pieces over the history slots with gaps where nothing was stored.
namespace Sparkline {

// The line's points in a canvas of `size`; empty when there is nothing to draw.
QPolygonF linePoints(const QList<double>& values, QSizeF size, std::optional<double> maxValue);
// The runs of present slots as separate polylines; a lone slot becomes a 3-point dash.
QList<QPolygonF> slotRuns(const QList<std::optional<double>>& slots, QSizeF size,
                          std::optional<double> maxValue);
// The chart on its rounded well. `slots`, when given, switches to slot mode.
void paint(QPainter& painter, const QRectF& rect, const QList<double>& values, const QColor& color,
           std::optional<double> maxValue,
           const std::optional<QList<std::optional<double>>>& slots = std::nullopt,
           bool drawWell = true);

} // namespace Sparkline
} // namespace corvanite

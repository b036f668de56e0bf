// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPolygonF>
#include <QRectF>

class QPainter;

namespace corvanite {

// A pinned process's CPU trend: one thin line, scaled to at least 5 % so idle noise stays flat.
namespace PinnedTrend {

QPolygonF points(const QList<double>& values, QSizeF size);
void paint(QPainter& painter, const QRectF& rect, const QList<double>& values);

} // namespace PinnedTrend
} // namespace corvanite

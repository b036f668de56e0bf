// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

class QPainter;

namespace corvanite {

// The faint graph-paper behind each trace: lines every 22 points from the left and top edges.
namespace VitalsGrid {

inline constexpr double kPitch = 22;

void paint(QPainter& painter, const QRectF& rect);

} // namespace VitalsGrid
} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

class QPainter;

namespace corvanite {

// The dark bars at the top and bottom of the monitor, rounded where they meet the card's corners.
namespace VitalsChrome {

// The card's corner less its 1-point outline, which the bars leave visible.
inline constexpr double kCorner = 13;

void bar(QPainter& painter, const QRectF& rect, bool roundTop);

} // namespace VitalsChrome
} // namespace corvanite

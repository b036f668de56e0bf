// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>
#include <QRectF>

namespace corvanite {

// The card's outline: a rounded rectangle with a small arrow on its top edge. With
// `pointsUp` false the arrow sits on the bottom edge, for a panel opened above its item.
struct PanelCardShape {
    double arrowX = 200;
    double arrowHeight = 8;
    double arrowWidth = 20;
    double corner = 14;
    bool pointsUp = true;

    QPainterPath path(const QRectF& rect) const;
};

} // namespace corvanite

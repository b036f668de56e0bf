// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelCardShape.h"

#include <algorithm>

namespace corvanite {

QPainterPath PanelCardShape::path(const QRectF& rect) const
{
    const QRectF body =
        pointsUp ? rect.adjusted(0, arrowHeight, 0, 0) : rect.adjusted(0, 0, 0, -arrowHeight);
    const double r = std::min(std::min(body.width(), body.height()) / 2, corner);
    const double h = arrowWidth / 2;
    const double a = std::min(std::max(arrowX, body.left() + r + h), body.right() - r - h);
    const double d = 2 * r;

    QPainterPath p;
    p.moveTo(body.left(), body.top() + r);
    p.arcTo(QRectF(body.left(), body.top(), d, d), 180, -90);
    if (pointsUp) {
        p.lineTo(a - h, body.top());
        p.lineTo(a, rect.top());
        p.lineTo(a + h, body.top());
    }
    p.lineTo(body.right() - r, body.top());
    p.arcTo(QRectF(body.right() - d, body.top(), d, d), 90, -90);
    p.lineTo(body.right(), body.bottom() - r);
    p.arcTo(QRectF(body.right() - d, body.bottom() - d, d, d), 0, -90);
    if (!pointsUp) {
        p.lineTo(a + h, body.bottom());
        p.lineTo(a, rect.bottom());
        p.lineTo(a - h, body.bottom());
    }
    p.lineTo(body.left() + r, body.bottom());
    p.arcTo(QRectF(body.left(), body.bottom() - d, d, d), 270, -90);
    p.closeSubpath();
    return p;
}

} // namespace corvanite

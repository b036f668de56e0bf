// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/SkinCardBackground.h"

#include "app/panel/PanelCardShape.h"
#include "app/panel/Theme.h"
#include "app/panel/VitalsTheme.h"

#include <QLinearGradient>
#include <QPainter>

namespace corvanite::SkinCardBackground {

void paint(QPainter& painter, const QRectF& rect, PanelSkin skin, const PanelCardShape& shape)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = shape.path(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    if (skin == PanelSkin::Glass) {
        QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
        fill.setColorAt(0, Theme::panelTop);
        fill.setColorAt(1, Theme::panelBottom);
        painter.fillPath(path, fill);
        QLinearGradient stroke(rect.topLeft(), rect.bottomLeft());
        stroke.setColorAt(0, Theme::white(0.18));
        stroke.setColorAt(0.5, Theme::white(0.02));
        stroke.setColorAt(1, Theme::white(0.02));
        painter.strokePath(path, QPen(QBrush(stroke), 1));
    } else {
        painter.save();
        painter.setClipPath(path);
        painter.fillRect(rect, VitalsTheme::screen);
        painter.fillRect(QRectF(rect.left(), rect.top(), rect.width(), shape.arrowHeight + 8),
                         VitalsTheme::chrome);
        painter.restore();
        painter.strokePath(path, QPen(VitalsTheme::hairline, 1));
    }
}

} // namespace corvanite::SkinCardBackground

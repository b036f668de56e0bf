// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsChrome.h"

#include "app/panel/VitalsTheme.h"

#include <QPainter>
#include <QPainterPath>

namespace corvanite::VitalsChrome {

void bar(QPainter& painter, const QRectF& rect, bool roundTop)
{
    QPainterPath rounded;
    rounded.addRoundedRect(rect, kCorner, kCorner);
    // Square off the edge that meets the body.
    QPainterPath square;
    square.addRect(roundTop ? rect.adjusted(0, rect.height() / 2, 0, 0)
                            : rect.adjusted(0, 0, 0, -rect.height() / 2));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(rounded.united(square), VitalsTheme::chrome);
    painter.restore();
}

} // namespace corvanite::VitalsChrome

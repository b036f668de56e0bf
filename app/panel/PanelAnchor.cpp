// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelAnchor.h"

#include <algorithm>

namespace corvanite {

PanelAnchor::PanelAnchor(QObject* parent)
    : QObject(parent)
{
}

PanelAnchor& PanelAnchor::shared()
{
    static auto* anchor = new PanelAnchor();
    return *anchor;
}

void PanelAnchor::setArrowX(double x)
{
    m_arrowX = x;
    Q_EMIT arrowXChanged();
}

void PanelAnchor::setPointsUp(bool up)
{
    m_pointsUp = up;
    Q_EMIT arrowXChanged();
}

double PanelAnchor::clamped(double width) const
{
    const double edge = kCorner + kArrowWidth / 2;
    return std::min(std::max(m_arrowX, edge), std::max(width - edge, edge));
}

} // namespace corvanite

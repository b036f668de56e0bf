// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/Theme.h"

namespace corvanite::Theme {

QColor white(double opacity)
{
    return QColor::fromRgbF(1, 1, 1, static_cast<float>(opacity));
}

QColor usageColor(double percent)
{
    if (percent >= 85)
        return red;
    if (percent >= 60)
        return yellow;
    return networkDown;
}

std::pair<QColor, QColor> usageGradientStops(double percent)
{
    if (percent >= 85)
        return {rgb(1.0, 0.584, 0.0), red};
    if (percent >= 60)
        return {networkDown, yellow};
    return {rgb(0.31, 0.78, 1.0), networkDown};
}

QLinearGradient usageGradient(double percent, const QPointF& from, const QPointF& to)
{
    const auto [start, end] = usageGradientStops(percent);
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0, start);
    gradient.setColorAt(1, end);
    return gradient;
}

QLinearGradient toneGradient(const QColor& color, const QPointF& from, const QPointF& to)
{
    QLinearGradient gradient(from, to);
    gradient.setColorAt(0, color.lighter(125));
    gradient.setColorAt(1, color);
    return gradient;
}

QColor tempColor(double celsius)
{
    if (celsius >= 85)
        return red;
    if (celsius >= 70)
        return yellow;
    return primaryText;
}

} // namespace corvanite::Theme

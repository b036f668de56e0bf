// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPointF>

namespace corvanite {

// The glass skin's palette and the level colours both skins use.
namespace Theme {

QColor white(double opacity);
inline QColor rgb(double r, double g, double b)
{
    return QColor::fromRgbF(r, g, b);
}

inline const QColor panelTop = rgb(0.129, 0.13, 0.149);
inline const QColor panelBottom = rgb(0.071, 0.071, 0.082);
inline const QColor cardFill = QColor::fromRgbF(1, 1, 1, 0.07);
inline const QColor cardBorder = QColor::fromRgbF(1, 1, 1, 0.14);
inline const QColor rowFill = QColor::fromRgbF(1, 1, 1, 0.045);
inline const QColor listWell = QColor::fromRgbF(1, 1, 1, 0.035);
inline const QColor trackFill = QColor::fromRgbF(1, 1, 1, 0.13);
inline const QColor tileFill = QColor::fromRgbF(1, 1, 1, 0.10);
inline const QColor primaryText = QColor::fromRgbF(1, 1, 1, 0.96);
inline const QColor secondaryText = QColor::fromRgbF(1, 1, 1, 0.72);
inline const QColor tertiaryText = QColor::fromRgbF(1, 1, 1, 0.52);
inline const QColor faintText = QColor::fromRgbF(1, 1, 1, 0.38);
inline const QColor cpu = rgb(0.039, 0.518, 1.0);
inline const QColor memory = rgb(0.749, 0.353, 0.949);
inline const QColor networkDown = rgb(0.188, 0.82, 0.345);
inline const QColor networkUp = rgb(1.0, 0.624, 0.039);
inline const QColor fan = rgb(0.392, 0.82, 1.0);
inline const QColor energy = rgb(1.0, 0.635, 0.243);
inline const QColor process = rgb(1.0, 0.584, 0.0);
inline const QColor gpu = rgb(0.31, 0.78, 1.0);
inline const QColor red = rgb(1.0, 0.271, 0.227);
inline const QColor yellow = rgb(1.0, 0.839, 0.039);
inline const QColor green = rgb(0.204, 0.78, 0.349);
inline const QColor memApp = cpu;
inline const QColor memWired = networkUp;
inline const QColor memCompressed = red;
inline const QColor memCached = networkDown;
inline const QColor memFree = QColor::fromRgbF(1, 1, 1, 0.16);

// Thresholds are inclusive: 85 and above is red, 60 and above yellow.
QColor usageColor(double percent);
// The two ends of the left-to-right bar gradient for a load.
std::pair<QColor, QColor> usageGradientStops(double percent);
QLinearGradient usageGradient(double percent, const QPointF& from, const QPointF& to);
// A gradient of one colour, a little lighter on the left, for the single-colour bars.
QLinearGradient toneGradient(const QColor& color, const QPointF& from, const QPointF& to);
// On degrees Celsius whatever unit is shown: 85 and above red, 70 and above yellow.
QColor tempColor(double celsius);

} // namespace Theme
} // namespace corvanite

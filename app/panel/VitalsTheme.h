// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace corvanite {

// The vitals skin's palette: a patient monitor's black screen with glowing traces.
namespace VitalsTheme {

inline const QColor screen = QColor(0, 0, 0);
inline const QColor chrome = QColor::fromRgbF(0.051, 0.071, 0.078);
inline const QColor hairline = QColor::fromRgbF(0.11, 0.133, 0.149);
inline const QColor gridline = QColor::fromRgbF(0.47, 0.78, 0.75, 0.09);
inline const QColor coreWell = QColor::fromRgbF(0.059, 0.086, 0.094);
inline const QColor primaryText = QColor::fromRgbF(0.918, 0.953, 0.957);
inline const QColor secondaryText = QColor::fromRgbF(0.56, 0.64, 0.66);
inline const QColor dimText = QColor::fromRgbF(0.365, 0.435, 0.451);
inline const QColor ecg = QColor::fromRgbF(0.247, 0.941, 0.541);
inline const QColor spo2 = QColor::fromRgbF(0.31, 0.847, 1.0);
inline const QColor resp = QColor::fromRgbF(1.0, 0.839, 0.271);
inline const QColor art = QColor::fromRgbF(1.0, 0.365, 0.478);
inline const QColor gpu = QColor::fromRgbF(0.718, 0.541, 1.0);
inline const QColor alarm = QColor::fromRgbF(1.0, 0.231, 0.231);
inline const QColor energy = QColor::fromRgbF(1.0, 0.635, 0.243);

// The GPU has no user threshold: it alarms when nearly saturated.
inline constexpr double gpuAlarm = 90;

// A core cell's tint: calm, busy or saturated.
inline QColor coreColor(double load)
{
    if (load >= 80)
        return alarm;
    if (load >= 55)
        return resp;
    return ecg;
}

} // namespace VitalsTheme
} // namespace corvanite

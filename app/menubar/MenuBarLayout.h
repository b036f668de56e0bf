// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/SettingsTypes.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

namespace corvanite {

// What the layout rules need to know about a screen. Screens with a camera housing report the
// menu-bar areas left and right of it; other screens report neither.
struct ScreenFacts {
    std::optional<QRectF> auxiliaryTopLeftArea;
    std::optional<QRectF> auxiliaryTopRightArea;
    double safeAreaTopInset = 0;
    QRectF frame;
    QRectF visibleFrame;
};

} // namespace corvanite

class QScreen;

namespace corvanite {

// The facts of a Qt screen. Linux screens have no camera housing: no auxiliary areas, no inset.
ScreenFacts screenFacts(const QScreen& screen);

// Decides what the status item says and how tightly it says it. Stateless.
namespace MenuBarLayout {

// The line the status item shows. cpu and memPct are percentages, the rates bytes per second;
// `metrics` in any order (sorted here; empty means CPU and memory). The compact form uses no
// localisation, so it stays short in every language.
QString statusText(double cpu, double memPct, double downBps, double upBps,
                   const QList<MenuBarMetric>& metrics, bool compact);

// The compact figures grouped for drawing into a small icon: the percentages in one column
// (CPU above memory), the rates in another (down above up).
QList<QStringList> compactColumns(double cpu, double memPct, double downBps, double upBps,
                                  const QList<MenuBarMetric>& metrics);

// The metrics as statusText uses them: sorted into case order, empty replaced by CPU, memory.
QList<MenuBarMetric> effectiveMetrics(const QList<MenuBarMetric>& metrics);

bool screenHasNotch(const std::optional<ScreenFacts>& screen);
bool isCompact(NotchMode mode, const std::optional<ScreenFacts>& screen);
// The free menu-bar area right of the camera housing, when there is one.
std::optional<QRectF> rightMenuPocket(const ScreenFacts& screen);

} // namespace MenuBarLayout

} // namespace corvanite

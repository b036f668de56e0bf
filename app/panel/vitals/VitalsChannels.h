// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelReadings.h"
#include "app/panel/vitals/VitalsChannel.h"

namespace corvanite {

struct PanelServices;

// Builds the monitor's channels from the readings, the user's thresholds and units, and the
// shared history window. Thresholds are read at every build, so a changed setting shows at the
// next redraw.
namespace VitalsChannels {

enum class Kind { Cpu, Gpu, Memory, Network, Temperature };

VitalsChannel build(Kind kind, const PanelReadings::Values& values, const PanelServices& services);

// The parts of the readings a channel follows.
PanelReadings::Parts parts(Kind kind);

// "MB/S", "KB/S" or "B/S" and the rate scaled to it, as the network channel reads it.
QString networkUnit(double bytesPerSecond);
QString networkReading(double bytesPerSecond);
// Fan speeds rounded and joined by "/": "1200/1350".
QString fanSpeeds(const QList<double>& rpms);

} // namespace VitalsChannels
} // namespace corvanite

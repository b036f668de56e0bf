// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MemoryPressure.h"

#include <QMetaType>
#include <QString>

#include <optional>

namespace corvanite {

// How hard the system is pressed for memory, in rising order.
enum class PressureLevel : int {
    Normal = 0,
    Warning = 1,
    Critical = 2,
};

// "normal", "warning" or "critical", as the log writes it.
QString pressureLevelName(PressureLevel level);

// Critical when a tenth of the time all tasks stalled on memory or under 5 % of it is available;
// warning when some task stalled a tenth of the time or under 10 % is available; else normal.
// Nothing when the reading has neither stalls nor memory totals.
std::optional<PressureLevel> pressureLevelFor(const PressureReading& reading);

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::PressureLevel)
Q_DECLARE_METATYPE(std::optional<corvanite::PressureLevel>)

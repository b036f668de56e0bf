#pragma once

#include "platform/Clock.h"

#include <QString>

#include <optional>

namespace corvanite {

// Details of one process for the expanded process row, and the texts that show them.
namespace ProcessDetailReader {

// Processor time in the interface language: seconds below a minute, fractional minutes below
// an hour, hours and minutes above.
QString cpuTimeString(quint64 nanoseconds);

// "just now", minutes, hours or days ago for an absolute instant (seconds since 2001-01-01
// UTC); "—" without one. Instants in the future count as just now.
QString relativeTime(std::optional<double> absoluteInstant, const Clock& clock = Clock::system());

} // namespace ProcessDetailReader

} // namespace corvanite

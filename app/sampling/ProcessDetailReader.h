// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/ProcessDetail.h"
#include "platform/Clock.h"
#include "platform/ProcessInfo.h"

#include <QString>

#include <optional>

namespace corvanite {

// Details of one process for the expanded process row, and the texts that show them.
namespace ProcessDetailReader {

// The detail of a live process, named `fallbackName` (the name its list row shows); absent
// when the process is gone or cannot be read. The path is "—" when there is none.
std::optional<ProcessDetail> read(const ProcessInfo& info, qint32 pid, const QString& fallbackName);

// Whole seconds since 1970 at which the process started; absent when it cannot be read. A pid
// whose start time differs from a remembered one belongs to another process.
std::optional<quint64> startTime(const ProcessInfo& info, qint32 pid);

// Processor time in the interface language: seconds below a minute, fractional minutes below
// an hour, hours and minutes above.
QString cpuTimeString(quint64 nanoseconds);

// "just now", minutes, hours or days ago for an absolute instant (seconds since 2001-01-01
// UTC); "—" without one. Instants in the future count as just now.
QString relativeTime(std::optional<double> absoluteInstant, const Clock& clock = Clock::system());

} // namespace ProcessDetailReader

} // namespace corvanite

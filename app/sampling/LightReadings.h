// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"
#include "platform/CpuTicks.h"
#include "platform/MemoryStats.h"
#include "platform/NetworkCounters.h"

#include <optional>

// The formulas that turn raw counters into CPU percent, the memory breakdown and network rates.

namespace corvanite {

// current - previous as a double, or 0 when the counter went backwards (a reset or a wrap counts
// as no activity rather than as a huge jump).
double tickDelta(quint64 current, quint64 previous);

// Busy share of the ticks that passed between two readings, in percent (0 to 100). Nice time is
// busy time. 0 when no tick passed.
double cpuUsage(const CpuTicks& previous, const CpuTicks& current);
// The same formula for one core.
double coreUsage(const CpuTicks& previous, const CpuTicks& current);

// Whole-machine percent from the previous host counters, which it moves forward. 0 on the first
// reading; a failed reading gives 0 and keeps the previous counters.
double hostCpuStep(const std::optional<CpuTicks>& reading, std::optional<CpuTicks>& previous);

// Per-core percent, core by core, when `current` lists the same processors as `previous`;
// otherwise (first reading, failed reading, a processor going offline or coming back) empty.
QList<double> perCoreUsage(const std::vector<CoreTicks>& previous,
                           const std::vector<CoreTicks>& current);

// The memory breakdown from page counts; every category is capped at physical memory.
MemorySample memorySample(const VmStatistics& stats, quint64 pageSize, quint64 physicalMemory);

// Rates since the previous totals, which it moves forward whenever totals were read. Rates are 0
// on the first reading, when the totals were not read, when the passes were 0.1 s apart or less,
// and when the counted interfaces changed in between; a direction whose total went backwards
// reports 0.
NetSample networkStep(const std::optional<NetworkTotals>& reading,
                      std::optional<NetworkTotals>& previous, double elapsedSeconds);

// Passes closer together than this give no rates: counters move in bursts, and dividing a burst
// by a tiny interval would show a spike that never happened.
inline constexpr double kMinRateInterval = 0.1;

} // namespace corvanite

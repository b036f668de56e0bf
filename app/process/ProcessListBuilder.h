// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/ProcessSortMode.h"
#include "app/sampling/Samples.h"

#include <functional>

namespace corvanite {

class PauseManager;
class PinStore;

// One shown row of the process section.
struct RankedProcess {
    int rank = 0; // 1 for the first shown row
    ProcessSample proc;
    double barFraction = 0.0; // 0..1

    qint32 id() const { return proc.pid; }
    bool operator==(const RankedProcess&) const = default;
};

// Turns the engine's process list and energy rows into the panel's display order.
namespace ProcessListBuilder {

// What the order consults besides its inputs: whether a pid's group is paused (idle processes
// of a paused group stay listed) and the pin partition.
struct Lookups {
    std::function<bool(qint32 pid)> isPaused;
    std::function<QList<ProcessSample>(const QList<ProcessSample>&)> partition;
};

Lookups lookups(const PauseManager& pause, const PinStore& pins);

QList<ProcessSample> build(const QList<ProcessSample>& processes,
                           const QList<ProcessSample>& energyRows, ProcessSortMode sortMode,
                           const QString& search, const Lookups& lookups);

// The first maxRows records, numbered from 1, with their bar fills.
QList<RankedProcess> rows(const QList<ProcessSample>& built, int maxRows, ProcessSortMode sortMode);

} // namespace ProcessListBuilder

} // namespace corvanite

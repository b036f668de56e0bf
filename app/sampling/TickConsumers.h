// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <functional>
#include <optional>

namespace corvanite {

// The consumers a finished pass is handed to after the status text, in the order Monitor calls
// them. The application wires them once at startup; an empty function is skipped.
struct TickConsumers {
    // Every pass: the threshold alerts, then the history windows. memPct is 0..100; the
    // temperature handed to the history is absent unless this pass read it.
    std::function<void(double cpu, double memPct, std::optional<double> cpuC)> evaluateAlerts;
    std::function<void(double cpu, double memPct, std::optional<double> freshCpuC)> recordHistory;
    // Passes that scanned processes, in this order.
    std::function<void()> reconcilePausedGroups;
    std::function<void(const QList<ProcessSample>&, const std::optional<AssertionMap>&)>
        ingestInsights;
    std::function<void(const QList<ProcessSample>&)> recordPins;
    // Every pass that read a memory-pressure level, after the above.
    std::function<void(PressureLevel)> memoryPressure;
    // Last, on published passes: drop cached icons of processes that are gone.
    std::function<void(const QSet<qint32>& livePids)> pruneIcons;
};

} // namespace corvanite

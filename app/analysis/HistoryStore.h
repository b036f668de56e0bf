// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/analysis/HistorySeries.h"
#include "app/analysis/HistoryWindow.h"

#include <QList>

#include <optional>

namespace corvanite {

class Clock;

// The long history behind the charts' time windows: one point every 30 seconds or more for CPU
// load, memory use and CPU temperature, for 24 hours, in memory only. Charts read the three
// series when they redraw; the store announces nothing. Main thread only.
class HistoryStore {
public:
    static constexpr double kInterval = 30.0;
    // A day of 30-second points, plus one.
    static constexpr std::size_t kCapacity = 2881;

    explicit HistoryStore(const Clock& clock);

    static HistoryStore& shared();

    // Stores the readings when at least kInterval has passed on the wall clock since the last
    // stored entry. cpu and memPct are percent; a missing temperature adds no temperature point.
    void record(double cpu, double memPct, std::optional<double> tempC);
    // Whether record() would store an entry now, so the engine can read a temperature for it.
    bool wantsTempSample() const;
    // `slotCount(window)` slots over the window ending now, oldest first; each holds the largest
    // value that fell into it, or nothing.
    QList<std::optional<double>> slots(const HistorySeries& series, HistoryWindow window) const;

    const HistorySeries& cpu() const { return m_cpu; }
    const HistorySeries& mem() const { return m_mem; }
    const HistorySeries& temp() const { return m_temp; }
    double lastRecord() const { return m_lastRecord; }

    // The bytes the three series keep: they are sized for a full day when the store is made.
    std::size_t storageBytes() const;

private:
    const Clock& m_clock;
    HistorySeries m_cpu{kCapacity};
    HistorySeries m_mem{kCapacity};
    HistorySeries m_temp{kCapacity};
    double m_lastRecord = 0.0;
};

} // namespace corvanite

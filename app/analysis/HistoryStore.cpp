// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/HistoryStore.h"

#include "platform/Clock.h"

#include <algorithm>
#include <cmath>

namespace corvanite {

HistoryStore::HistoryStore(const Clock& clock)
    : m_clock(clock)
{
}

void HistoryStore::record(double cpu, double memPct, std::optional<double> tempC)
{
    const double now = m_clock.now();
    // Negative after the wall clock went back: nothing is stored until it has caught up.
    if (now - m_lastRecord < kInterval)
        return;
    m_lastRecord = now;
    m_cpu.append({now, cpu});
    m_mem.append({now, memPct});
    if (tempC)
        m_temp.append({now, *tempC});
}

bool HistoryStore::wantsTempSample() const
{
    return m_clock.now() - m_lastRecord >= kInterval;
}

QList<std::optional<double>> HistoryStore::slots(const HistorySeries& series,
                                                 HistoryWindow window) const
{
    const double span = seconds(window);
    const int n = slotCount(window);
    const double width = span / n;
    const double start = m_clock.now() - span;
    QList<std::optional<double>> result(n);
    series.forEach([&](const HistoryPoint& point) {
        if (!(point.time >= start))
            return;
        // Stamped in the future after a clock change: the newest slot.
        const double position = std::trunc((point.time - start) / width);
        const int index = position >= n ? n - 1 : static_cast<int>(position);
        std::optional<double>& slot = result[index];
        if (!slot || point.value > *slot)
            slot = point.value;
    });
    return result;
}

std::size_t HistoryStore::storageBytes() const
{
    return sizeof(*this) + m_cpu.storageBytes() + m_mem.storageBytes() + m_temp.storageBytes();
}

} // namespace corvanite

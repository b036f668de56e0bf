// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/EnergyReader.h"

#include "platform/Clock.h"

#include <map>

namespace corvanite {

namespace {
constexpr double kMinWattsInterval = 0.5;
} // namespace

EnergyReader::EnergyReader(std::unique_ptr<EnergyCounters> counters, const Clock& clock)
    : m_counters(std::move(counters))
    , m_clock(clock)
{
}

QList<ProcessSample> EnergyReader::aggregatedRows(const QList<ProcessSample>& processes)
{
    if (!m_available)
        m_available = m_counters->isAvailable();
    if (!*m_available)
        return {};

    // Each group's member with the lowest pid names its row.
    std::map<quint64, const ProcessSample*> lead;
    for (const ProcessSample& p : processes) {
        const std::optional<quint64> group = m_counters->groupOf(p.pid);
        if (!group || *group == 0)
            continue;
        auto [it, inserted] = lead.try_emplace(*group, &p);
        if (!inserted && p.pid < it->second->pid)
            it->second = &p;
    }
    QList<quint64> ids;
    ids.reserve(static_cast<qsizetype>(lead.size()));
    for (const auto& [id, member] : lead)
        ids.append(id);

    const double now = m_clock.monotonic();
    const QHash<quint64, quint64> energy = m_counters->readEnergy(ids);
    QList<ProcessSample> rows;
    for (const auto& [id, member] : lead) {
        const auto e = energy.constFind(id);
        if (e == energy.constEnd())
            continue; // unreadable: no row, and the previous reading stays
        double watts = 0.0;
        if (const auto prev = m_prev.constFind(id);
            prev != m_prev.constEnd() && *e >= prev->nj && now - prev->at > kMinWattsInterval)
            watts = static_cast<double>(*e - prev->nj) / (now - prev->at) / 1e9;
        m_prev.insert(id, Reading{*e, now});
        rows.append(ProcessSample{member->pid, member->name, watts, *e});
    }
    m_prev.removeIf([&](auto it) { return lead.find(it.key()) == lead.end(); });
    return rows;
}

} // namespace corvanite

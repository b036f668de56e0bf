// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/DeviceSources.h"
#include "platform/EnergyCounters.h"

#include <QHash>

#include <memory>

namespace corvanite {

class Clock;

// Energy rows: processes grouped by resource group, one row per group named after its member
// with the lowest pid, with the group's power in watts since its previous reading. Runs on the
// sampling thread, one pass at a time.
class EnergyReader final : public EnergySource {
public:
    EnergyReader(std::unique_ptr<EnergyCounters> counters, const Clock& clock);

    QList<ProcessSample> aggregatedRows(const QList<ProcessSample>& processes) override;

private:
    struct Reading {
        quint64 nj = 0;
        double at = 0.0;
    };

    std::unique_ptr<EnergyCounters> m_counters;
    const Clock& m_clock;
    std::optional<bool> m_available; // resolved on first use
    QHash<quint64, Reading> m_prev;
};

} // namespace corvanite

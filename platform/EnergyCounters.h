// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>

#include <optional>

namespace corvanite {

// Cumulative energy of resource groups (the groups processes are accounted in), each group's
// counter in nanojoules as it stands at the reading. Sampling thread only.
class EnergyCounters {
public:
    virtual ~EnergyCounters() = default;
    // Whether the machine's energy can be read at all; asked once.
    virtual bool isAvailable() = 0;
    // The group a process belongs to; 0 when it is in no group that can be measured; absent
    // when the process cannot be read.
    virtual std::optional<quint64> groupOf(qint32 pid) = 0;
    // One reading of the given groups. A group whose counter cannot be read is left out.
    virtual QHash<quint64, quint64> readEnergy(const QList<quint64>& groups) = 0;
};

// A machine without energy counters.
class NoEnergyCounters final : public EnergyCounters {
public:
    bool isAvailable() override { return false; }
    std::optional<quint64> groupOf(qint32) override { return std::nullopt; }
    QHash<quint64, quint64> readEnergy(const QList<quint64>&) override { return {}; }
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EnergyCounters.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace corvanite {

// Energy per cgroup v2 group. The machine's package energy comes from RAPL
// (/sys/class/powercap/intel-rapl:N/energy_uj, wrapping at max_energy_range_uj); each group is
// credited with the package energy of every interval times its share of all CPU time used in
// that interval (the group's cpu.stat usage_usec against /proc/stat's busy time). The credits
// add up to a cumulative counter per group, which is what the reader's watts arithmetic needs.
//
// Processes of the root group are left out: the root's usage holds every other group's too.
// RAPL is readable by root only on current kernels, so for an ordinary user the counters are
// unavailable and there are no energy rows.
class CgroupEnergyCounters final : public EnergyCounters {
public:
    explicit CgroupEnergyCounters(const QString& root = QStringLiteral("/"));

    bool isAvailable() override;
    std::optional<quint64> groupOf(qint32 pid) override;
    QHash<quint64, quint64> readEnergy(const QList<quint64>& groups) override;

private:
    struct Package {
        quint64 lastUj = 0;
        bool seen = false;
    };
    struct Group {
        quint64 lastUsageUs = 0;
        quint64 energyNj = 0;
    };

    QStringList packageFolders() const;
    std::optional<quint64> packageDeltaNj();
    std::optional<quint64> busyCpuUs() const;

    QString m_root;
    QByteArray m_cgroupMount; // where the unified hierarchy is mounted, empty when there is none
    QHash<quint64, QByteArray> m_groupPaths;
    QHash<QString, Package> m_packages;
    QHash<quint64, Group> m_groups;
    std::optional<quint64> m_lastBusyUs;
    double m_usPerTick = 10000.0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <vector>

namespace corvanite {

// One process as the kernel describes it, before CPU percent is worked out.
struct RawProcess {
    qint32 pid = 0;
    QString name;
    quint64 cpuTime = 0; // user + system CPU time, nanoseconds
    quint64 mem = 0;     // resident bytes

    bool operator==(const RawProcess&) const = default;
};

// The process table. Called on the sampling thread, on passes that scan processes.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // Every process the kernel will describe, in its pid-list order; empty when the list cannot
    // be read. Names are taken from `nameCache` when present; new names are looked up and added.
    virtual std::vector<RawProcess> readProcessesRaw(QHash<qint32, QString>& nameCache) = 0;
};

} // namespace corvanite

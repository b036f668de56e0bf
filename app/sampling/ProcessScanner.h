// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"
#include "platform/ProcessTable.h"

#include <QHash>
#include <QSet>

namespace corvanite {

// Turns successive readings of the process table into per-process CPU percent. Keeps each pid's
// CPU time from the previous scan and the names already looked up; both forget a pid as soon as
// a scan no longer sees it, so a pid that comes back is treated as a new process.
class ProcessScanner {
public:
    struct Result {
        QList<ProcessSample> processes;
        QSet<qint32> livePids;
    };

    // `now` is the pass's start in monotonic seconds.
    Result scan(double now, ProcessTable& table);

    const QHash<qint32, QString>& nameCache() const { return m_nameCache; }

private:
    QHash<qint32, quint64> m_prevCpuTime;
    QHash<qint32, QString> m_nameCache;
    double m_lastScanTime = 0.0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessInfo.h"

#include <QString>

namespace corvanite {

// Single-process readings from /proc/<pid>/stat, comm, cmdline, exe and task/*/stat. Start
// times are the stat line's starttime (ticks after boot) added to /proc/stat's btime, which is
// read once: btime moves when the wall clock is stepped, so comparisons that must survive a
// relaunch use the raw ticks and the boot id instead.
class LinuxProcessInfo final : public ProcessInfo {
public:
    explicit LinuxProcessInfo(const QString& root = QStringLiteral("/"));

    std::optional<ProcessStatus> status(qint32 pid) const override;
    QString executablePath(qint32 pid) const override;
    QString processName(qint32 pid) const override;
    QList<qint32> groupMembers(qint32 pgid) const override;
    bool hasStoppedThread(qint32 pid) const override;
    QString bootId() const override;

private:
    // Whether some thread of the process is in a state that `matches`.
    bool anyThread(qint32 pid, bool (*matches)(char state)) const;

    QString m_root;
    mutable std::optional<double> m_bootTime; // read once: it does not change while running
    mutable std::optional<QString> m_bootId;
    double m_ticksPerSecond = 100.0;
    quint64 m_pageSize = 4096;
};

// kill(2), getpgid(2) and getpid(2).
class PosixProcessSignals final : public ProcessSignals {
public:
    qint32 processGroup(qint32 pid) const override;
    qint32 ownPid() const override;
    int send(qint32 pid, int signal) override;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessInfo.h"

#include <QString>

namespace corvanite {

// Single-process readings from /proc/<pid>/stat, /proc/<pid>/comm and /proc/<pid>/exe. Start
// times are the stat line's starttime (ticks after boot) added to /proc/stat's btime.
class LinuxProcessInfo final : public ProcessInfo {
public:
    explicit LinuxProcessInfo(const QString& root = QStringLiteral("/"));

    std::optional<ProcessStatus> status(qint32 pid) const override;
    QString executablePath(qint32 pid) const override;
    QString kernelName(qint32 pid) const override;

private:
    QString m_root;
    mutable std::optional<double> m_bootTime; // read once: it does not change while running
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

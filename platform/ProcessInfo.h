// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace corvanite {

// What the kernel tells about one process, in the units the rules use.
struct ProcessStatus {
    qint32 pid = 0;
    qint32 parentPid = 0;
    qint32 processGroup = 0;
    char state = '?';          // the kernel's one-letter state; 'T' is stopped
    quint64 startTime = 0;     // whole seconds since 1970-01-01 UTC
    double startInstant = 0.0; // the same, with the fraction, seconds since 1970-01-01 UTC
    quint64 userNs = 0;
    quint64 systemNs = 0;
    quint64 virtualBytes = 0;
    quint64 residentBytes = 0;
    qint32 threadCount = 0;

    bool isStopped() const { return state == 'T'; }
};

// Reads single processes on demand (detail rows, pause bookkeeping, termination checks).
class ProcessInfo {
public:
    virtual ~ProcessInfo() = default;
    // Absent when the process is gone or cannot be read.
    virtual std::optional<ProcessStatus> status(qint32 pid) const = 0;
    // The executable's path; empty when there is none (kernel threads) or it cannot be read.
    virtual QString executablePath(qint32 pid) const = 0;
    // The kernel's short name of the process; empty when it cannot be read.
    virtual QString kernelName(qint32 pid) const = 0;

    std::optional<quint64> startTime(qint32 pid) const
    {
        const std::optional<ProcessStatus> s = status(pid);
        return s ? std::optional<quint64>(s->startTime) : std::nullopt;
    }
};

// Process groups and signals.
class ProcessSignals {
public:
    virtual ~ProcessSignals() = default;
    // The process group of `pid`; -1 when it cannot be found.
    virtual qint32 processGroup(qint32 pid) const = 0;
    virtual qint32 ownPid() const = 0;
    // kill(2): a negative pid signals the whole group. 0 on success, else the errno.
    virtual int send(qint32 pid, int signal) = 0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// What the kernel tells about one process, in the units the rules use.
struct ProcessStatus {
    qint32 pid = 0;
    qint32 parentPid = 0;
    qint32 processGroup = 0;
    char state = '?';          // the kernel's one-letter state of the main thread; 'T' is stopped
    quint64 startTime = 0;     // whole seconds since 1970-01-01 UTC
    double startInstant = 0.0; // the same, with the fraction, seconds since 1970-01-01 UTC
    // The start as the kernel counts it, in clock ticks after boot. Unlike the wall-clock start
    // above it is exact and does not move when the clock is stepped, so within one boot it tells
    // a process from a later one that got the same pid.
    quint64 startTicks = 0;
    bool kernelThread = false; // one of the kernel's own threads: signals do nothing to it
    bool zombie = false;       // ended, not yet reaped by its parent: no thread of it runs
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
    // The process's name as the process list shows it (not cut short); empty when it cannot be
    // read.
    virtual QString processName(qint32 pid) const = 0;
    // The processes of a process group, in no particular order; empty when none is found.
    virtual QList<qint32> groupMembers(qint32 pgid) const = 0;
    // Whether any thread of the process is stopped. A process whose main thread has exited
    // still runs (or is stopped) in its other threads, which the main thread's state hides.
    virtual bool hasStoppedThread(qint32 pid) const = 0;
    // Names this boot of the machine; empty when unknown. Start ticks compare only within one
    // boot.
    virtual QString bootId() const = 0;

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

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FrontmostApplication.h"
#include "platform/ProcessInfo.h"

#include <QHash>
#include <QList>

#include <utility>

// Stand-ins for staging what real processes cannot show on demand: a pid reused by a process
// with another start time, a frontmost application. Nothing here sends a real signal.

namespace corvanite::test {

class FakeProcessInfo final : public ProcessInfo {
public:
    QHash<qint32, ProcessStatus> processes;
    QHash<qint32, QString> names;
    QString boot = QStringLiteral("fake-boot");

    std::optional<ProcessStatus> status(qint32 pid) const override
    {
        const auto it = processes.constFind(pid);
        return it == processes.constEnd() ? std::nullopt : std::optional<ProcessStatus>(*it);
    }
    QString executablePath(qint32) const override { return {}; }
    QString processName(qint32 pid) const override { return names.value(pid); }
    QList<qint32> groupMembers(qint32 pgid) const override
    {
        QList<qint32> members;
        for (const ProcessStatus& s : processes) {
            if (s.processGroup == pgid)
                members.append(s.pid);
        }
        return members;
    }
    // Only the main thread here: a fake process is stopped when its state says so.
    bool hasStoppedThread(qint32 pid) const override
    {
        const auto s = status(pid);
        return s && s->state == 'T';
    }
    QString bootId() const override { return boot; }

    // The start doubles as the start tick, so a new start is a new process either way.
    void add(qint32 pid, qint32 group, quint64 start, char state = 'S')
    {
        ProcessStatus s;
        s.pid = pid;
        s.processGroup = group;
        s.startTime = start;
        s.startTicks = start;
        s.state = state;
        processes.insert(pid, s);
    }
};

// Records every signal; groups come from the fake process info.
class FakeProcessSignals final : public ProcessSignals {
public:
    explicit FakeProcessSignals(FakeProcessInfo& info)
        : m_info(info)
    {
    }
    QList<std::pair<qint32, int>> sent;
    qint32 self = 4242;
    int failWith = 0;

    qint32 processGroup(qint32 pid) const override
    {
        const auto s = m_info.status(pid);
        return s ? s->processGroup : -1;
    }
    qint32 ownPid() const override { return self; }
    int send(qint32 pid, int signal) override
    {
        if (failWith != 0)
            return failWith;
        sent.append({pid, signal});
        return 0;
    }

private:
    FakeProcessInfo& m_info;
};

class FakeFrontmost final : public FrontmostApplication {
public:
    std::optional<FrontmostWindow> window;
    QList<FrontmostWindow> activated;
    std::optional<FrontmostWindow> frontmost() override { return window; }
    void activate(const FrontmostWindow& w) override { activated.append(w); }
};

// A delayed call that keeps the jobs for the test to run when it chooses.
struct CapturedCalls {
    QList<std::pair<int, std::function<void()>>> jobs;
    auto delayedCall()
    {
        return [this](int ms, std::function<void()> job) { jobs.append({ms, std::move(job)}); };
    }
    void runAll()
    {
        const auto pending = std::exchange(jobs, {});
        for (const auto& [ms, job] : pending)
            job();
    }
};

} // namespace corvanite::test

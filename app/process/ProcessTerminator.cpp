// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessTerminator.h"

#include "app/base/Log.h"
#include "app/process/ProcessNames.h"
#include "app/process/ProtectedProcesses.h"

#include <csignal>

namespace corvanite {

namespace {
constexpr int kEscalationDelayMs = 3000;
} // namespace

const QStringList& ProcessTerminator::protectedNames()
{
    static const QStringList names = [] {
        QStringList list{QStringLiteral("kernel_task"),  QStringLiteral("launchd"),
                         QStringLiteral("WindowServer"), QStringLiteral("loginwindow"),
                         QStringLiteral("syspolicyd"),   QStringLiteral("cfprefsd"),
                         QStringLiteral("powerd"),       QStringLiteral("backboardd")};
        list += ProtectedProcesses::sessionNames();
        return list;
    }();
    return names;
}

ProcessTerminator::ProcessTerminator(ProcessInfo& info, ProcessSignals& signaller,
                                     DelayedCall later)
    : m_info(info)
    , m_signals(signaller)
    , m_later(std::move(later))
{
}

bool ProcessTerminator::isKillable(qint32 pid, const QString& name) const
{
    if (pid < 2 || pid == m_signals.ownPid())
        return false;
    // A kernel thread ignores signals and a zombie has already ended: nothing to terminate.
    if (const std::optional<ProcessStatus> s = m_info.status(pid);
        s && (s->kernelThread || s->zombie))
        return false;
    return !ProtectedProcesses::contains(protectedNames(), ProcessNames::firstWord(name));
}

bool ProcessTerminator::terminate(qint32 pid, std::optional<quint64> expectedStartTicks)
{
    // Never our own process, whatever the caller checked before.
    if (pid <= 1 || pid == m_signals.ownPid())
        return false;
    const std::optional<ProcessStatus> before = m_info.status(pid);
    // The pid went to another process since the caller read it.
    if (expectedStartTicks && (!before || before->startTicks != *expectedStartTicks))
        return false;
    if (m_signals.send(pid, SIGTERM) != 0)
        return false;
    const std::optional<quint64> ticks =
        before ? std::optional<quint64>(before->startTicks) : std::nullopt;
    m_later(kEscalationDelayMs, [this, pid, ticks] { escalate(pid, ticks); });
    return true;
}

void ProcessTerminator::escalate(qint32 pid, std::optional<quint64> startTicks)
{
    if (!startTicks || m_signals.send(pid, 0) != 0)
        return;
    const std::optional<ProcessStatus> now = m_info.status(pid);
    if (!now || now->startTicks != *startTicks)
        return;
    // Ended on SIGTERM and only waiting for its parent to reap it: SIGTERM did its work.
    if (now->zombie)
        return;
    if (m_signals.send(pid, SIGKILL) == 0)
        Log::debug(QStringLiteral("SIGTERM had no effect; escalated to SIGKILL: ") +
                   QString::number(pid));
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/TerminationFlow.h"

#include "app/base/L10n.h"
#include "app/base/Log.h"
#include "app/process/ProcessTerminator.h"

namespace corvanite {

TerminationFlow::TerminationFlow(Skin skin, ProcessTerminator& terminator,
                                 Preauthorization preauthorization,
                                 std::function<void()> onTerminated)
    : m_skin(skin)
    , m_terminator(terminator)
    , m_preauthorization(std::move(preauthorization))
    , m_onTerminated(std::move(onTerminated))
{
}

namespace {

// "<name> (<pid>)" for the log; the name is the process's own text, so it is escaped and never
// read as a placeholder.
QString who(const TerminationFlow::Pending& target)
{
    return Log::escaped(target.name) + QStringLiteral(" (") + QString::number(target.pid) +
           QLatin1Char(')');
}

} // namespace

void TerminationFlow::request(qint32 pid, const QString& name, std::optional<quint64> startTicks)
{
    m_pending = Pending{pid, name, startTicks};
    if (m_preauthorization.isPreauthorized(name))
        performKill();
    else
        m_dialogShown = true;
}

void TerminationFlow::confirm()
{
    m_dialogShown = false;
    performKill();
}

void TerminationFlow::confirmAlways()
{
    m_dialogShown = false;
    if (m_pending)
        m_preauthorization.add(m_pending->name);
    performKill();
}

void TerminationFlow::cancel()
{
    // The pending process stays until the next request replaces it.
    m_dialogShown = false;
}

void TerminationFlow::performKill()
{
    if (!m_pending)
        return;
    const Pending target = *m_pending;
    // The action is only offered for killable processes; a caller that skipped the check
    // still never reaches a protected process or this application.
    if (m_terminator.isKillable(target.pid, target.name) &&
        m_terminator.terminate(target.pid, target.startTicks)) {
        Log::debug(QStringLiteral("Requested process termination: ") + who(target));
        if (m_onTerminated)
            m_onTerminated();
    } else {
        Log::debug((m_skin == Skin::Glass ? QStringLiteral("Failed to terminate process: ")
                                          : QStringLiteral("Process termination failed: ")) +
                   who(target));
    }
    m_pending.reset();
}

QString TerminationFlow::title() const
{
    if (!m_pending)
        return {};
    return L(m_skin == Skin::Glass ? QStringLiteral("proc.kill.title")
                                   : QStringLiteral("proc.kill.confirmTitle"),
             {m_pending->name});
}

QString TerminationFlow::message() const
{
    return L(QStringLiteral("proc.kill.message"));
}

QString TerminationFlow::confirmLabel() const
{
    return L(m_skin == Skin::Glass ? QStringLiteral("proc.kill.action")
                                   : QStringLiteral("proc.kill.confirm"));
}

QString TerminationFlow::alwaysLabel() const
{
    return L(QStringLiteral("proc.kill.always"));
}

QString TerminationFlow::cancelLabel() const
{
    return L(QStringLiteral("proc.kill.cancel"));
}

FindingTerminationFlow::FindingTerminationFlow(ProcessTerminator& terminator,
                                               Preauthorization preauthorization)
    : m_terminator(terminator)
    , m_preauthorization(std::move(preauthorization))
{
}

void FindingTerminationFlow::request(qint32 pid, const QString& processName)
{
    m_pending = TerminationFlow::Pending{pid, processName, std::nullopt};
    if (m_preauthorization.isPreauthorized(processName))
        kill();
    else
        m_dialogShown = true;
}

void FindingTerminationFlow::kill()
{
    m_dialogShown = false;
    if (!m_pending)
        return;
    const TerminationFlow::Pending target = *m_pending;
    if (m_terminator.isKillable(target.pid, target.name) && m_terminator.terminate(target.pid))
        Log::debug(QStringLiteral("Diagnostics card terminated process: ") + who(target));
    m_pending.reset();
}

void FindingTerminationFlow::confirmAlways()
{
    if (m_pending)
        m_preauthorization.add(m_pending->name);
    kill();
}

void FindingTerminationFlow::cancel()
{
    m_dialogShown = false;
    m_pending.reset();
}

QString FindingTerminationFlow::title() const
{
    return m_pending ? L(QStringLiteral("proc.kill.title"), {m_pending->name}) : QString();
}

} // namespace corvanite

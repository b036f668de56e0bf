// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseManager.h"

#include "app/base/Log.h"
#include "app/process/ProcessNames.h"
#include "app/process/ProtectedProcesses.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QTimer>

#include <algorithm>
#include <csignal>

namespace corvanite {

namespace {
constexpr int kWatchIntervalMs = 500;
constexpr int kActivationDelayMs = 300;
constexpr qsizetype kNameBytes = 64;
} // namespace

const QStringList& PauseManager::blockedNames()
{
    static const QStringList names = [] {
        QStringList list{QStringLiteral("kernel_task"),
                         QStringLiteral("launchd"),
                         QStringLiteral("WindowServer"),
                         QStringLiteral("loginwindow"),
                         QStringLiteral("Finder"),
                         QStringLiteral("Dock"),
                         QStringLiteral("SystemUIServer"),
                         QStringLiteral("ControlCenter"),
                         QStringLiteral("NotificationCenter"),
                         QStringLiteral("Spotlight"),
                         QStringLiteral("syspolicyd"),
                         QStringLiteral("cfprefsd"),
                         QStringLiteral("powerd"),
                         QStringLiteral("distnoted"),
                         QStringLiteral("tccd")};
        list += ProtectedProcesses::sessionNames();
        return list;
    }();
    return names;
}

namespace {

bool isBlocked(const QString& name)
{
    const QStringList& blocked = PauseManager::blockedNames();
    return ProtectedProcesses::contains(blocked, ProcessNames::firstWord(name)) ||
           ProtectedProcesses::contains(blocked, name);
}

QString groupLine(const QString& text, const PausedGroup& g)
{
    return text + Log::escaped(g.name) + QStringLiteral(" pgid=") + QString::number(g.pgid);
}

} // namespace

PauseManager::PauseManager(Dependencies deps, QObject* parent)
    : QObject(parent)
    , m_deps(std::move(deps))
{
    qRegisterMetaType<PausedGroup>();
    if (!m_deps.later)
        m_deps.later = mainThreadDelayedCall(this);
    if (const std::optional<QByteArray> stored = m_deps.prefs->dataValue(kStoreKey)) {
        if (std::optional<QList<PausedGroup>> groups = PausedGroup::decode(*stored))
            m_paused = std::move(*groups);
    }
    reconcile();
    // Groups an earlier run froze and could not thaw (it was killed outright): they stay frozen
    // until the user resumes them from the paused banner, or until this run quits.
    for (const PausedGroup& g : m_paused)
        Log::debug(groupLine(QStringLiteral("Still paused from an earlier run: "), g));
}

PauseManager::~PauseManager() = default;

bool PauseManager::canPause(qint32 pid, const QString& name) const
{
    if (pid < 2)
        return false;
    const qint32 group = m_deps.signaller->processGroup(pid);
    if (group < 2)
        return false;
    if (group == m_deps.signaller->processGroup(m_deps.signaller->ownPid()))
        return false;
    // Signals do nothing to a kernel thread or a zombie: there is nothing to pause.
    if (const std::optional<ProcessStatus> s = m_deps.info->status(pid);
        s && (s->kernelThread || s->zombie))
        return false;
    return !isBlocked(name);
}

std::optional<PauseManager::Member> PauseManager::protectingMember(qint32 pid) const
{
    const qint32 group = m_deps.signaller->processGroup(pid);
    if (group < 2)
        return std::nullopt;
    QList<qint32> members = m_deps.info->groupMembers(group);
    std::sort(members.begin(), members.end());
    for (const qint32 member : std::as_const(members)) {
        const QString name = m_deps.info->processName(member);
        if (!name.isEmpty() && isBlocked(name))
            return Member{member, name};
    }
    return std::nullopt;
}

std::optional<PausedGroup> PauseManager::entry(qint32 pid) const
{
    if (m_paused.isEmpty() || pid < 1)
        return std::nullopt;
    const qint32 group = m_deps.signaller->processGroup(pid);
    if (group < 0)
        return std::nullopt;
    for (const PausedGroup& g : m_paused) {
        if (g.pgid == group)
            return g;
    }
    return std::nullopt;
}

bool PauseManager::pause(qint32 pid, const QString& name, std::optional<quint64> expectedStartTicks)
{
    if (!canPause(pid, name))
        return false;
    const qint32 group = m_deps.signaller->processGroup(pid);
    if (group < 2)
        return false;
    for (const PausedGroup& g : m_paused) {
        if (g.pgid == group)
            return false;
    }
    if (expectedStartTicks) {
        const std::optional<ProcessStatus> chosen = m_deps.info->status(pid);
        if (!chosen || chosen->startTicks != *expectedStartTicks)
            return false; // the pid went to another process since the user looked at it
    }
    // Stopping the group stops every member: one the session needs keeps the group running.
    if (protectingMember(pid))
        return false;
    qint32 lead = group;
    std::optional<ProcessStatus> leadStatus = m_deps.info->status(group);
    if (!leadStatus) {
        lead = pid;
        leadStatus = m_deps.info->status(pid);
    }
    if (!leadStatus)
        return false;
    if (const int error = m_deps.signaller->send(-group, SIGSTOP); error != 0) {
        Log::debug(QStringLiteral("Pause failed errno=") + QString::number(error) +
                   QStringLiteral(": ") + Log::escaped(name) + QStringLiteral(" group ") +
                   QString::number(group));
        return false;
    }
    // The name the process list shows, as far as the record's 64 bytes hold it.
    QString recordName = ProcessNames::cutToBytes(m_deps.info->processName(lead), kNameBytes);
    if (recordName.isEmpty())
        recordName = name;
    PausedGroup record{group,
                       lead,
                       recordName,
                       leadStatus->startTime,
                       m_deps.clock->now(),
                       m_deps.info->bootId(),
                       leadStatus->startTicks};
    if (record.bootId.isEmpty())
        record.leadStartTicks.reset();
    QList<PausedGroup> groups = m_paused;
    groups.append(record);
    setPaused(std::move(groups));
    persist();
    updateWatch();
    Log::debug(groupLine(QStringLiteral("Paused app group: "), record));
    return true;
}

bool PauseManager::isSameLead(const PausedGroup& group, const ProcessStatus& lead) const
{
    if (group.leadStartTicks && !group.bootId.isEmpty()) {
        const QString boot = m_deps.info->bootId();
        if (!boot.isEmpty())
            return boot == group.bootId && lead.startTicks == *group.leadStartTicks;
    }
    return lead.startTime == group.leadStart;
}

bool PauseManager::isGroupStopped(const PausedGroup& group) const
{
    if (m_deps.info->hasStoppedThread(group.leadPid))
        return true;
    const QList<qint32> members = m_deps.info->groupMembers(group.pgid);
    return std::any_of(members.begin(), members.end(), [&](qint32 member) {
        return member != group.leadPid && m_deps.info->hasStoppedThread(member);
    });
}

void PauseManager::resume(const PausedGroup& group)
{
    const std::optional<ProcessStatus> lead = m_deps.info->status(group.leadPid);
    // A pgid below 2 would signal our own group or every process: never from a stored record.
    if (lead && isSameLead(group, *lead) && group.pgid >= 2) {
        if (const int error = m_deps.signaller->send(-group.pgid, SIGCONT); error != 0)
            Log::debug(groupLine(QStringLiteral("Resume signal failed errno=") +
                                     QString::number(error) + QStringLiteral(": "),
                                 group));
        else
            Log::debug(groupLine(QStringLiteral("Resumed app group: "), group));
    } else {
        Log::debug(
            groupLine(QStringLiteral("Skipped resume after PGID reuse; removed record: "), group));
    }
    QList<PausedGroup> groups = m_paused;
    groups.removeIf([&](const PausedGroup& g) { return g.pgid == group.pgid; });
    setPaused(std::move(groups));
    persist();
    updateWatch();
}

void PauseManager::resumeAll()
{
    const QList<PausedGroup> groups = m_paused;
    for (const PausedGroup& g : groups)
        resume(g);
}

void PauseManager::reconcile()
{
    QList<PausedGroup> kept;
    for (const PausedGroup& g : m_paused) {
        const std::optional<ProcessStatus> lead = m_deps.info->status(g.leadPid);
        if (lead && isSameLead(g, *lead) && isGroupStopped(g))
            kept.append(g);
    }
    if (kept.size() != m_paused.size()) {
        setPaused(std::move(kept));
        persist();
    }
    updateWatch();
}

void PauseManager::frontmostCheck()
{
    const std::optional<FrontmostWindow> front = m_deps.frontmost->frontmost();
    if (!front)
        return;
    const qint32 group = m_deps.signaller->processGroup(front->pid);
    if (group < 0)
        return;
    for (const PausedGroup& g : m_paused) {
        if (g.pgid != group)
            continue;
        Log::debug(QStringLiteral("User selected a frozen app; resuming automatically: ") +
                   Log::escaped(g.name));
        const PausedGroup record = g;
        resume(record);
        FrontmostApplication* frontmost = m_deps.frontmost;
        const FrontmostWindow window = *front;
        m_deps.later(kActivationDelayMs, [frontmost, window] { frontmost->activate(window); });
        return;
    }
}

void PauseManager::setPaused(QList<PausedGroup> groups)
{
    m_paused = std::move(groups);
    Q_EMIT pausedChanged();
}

void PauseManager::persist()
{
    m_deps.prefs->setData(kStoreKey, PausedGroup::encode(m_paused));
}

void PauseManager::updateWatch()
{
    if (!m_paused.isEmpty() && !m_watchTimer) {
        m_watchTimer = std::make_unique<QTimer>();
        m_watchTimer->setInterval(kWatchIntervalMs);
        connect(m_watchTimer.get(), &QTimer::timeout, this, &PauseManager::frontmostCheck);
        m_watchTimer->start();
    } else if (m_paused.isEmpty()) {
        m_watchTimer.reset();
    }
}

} // namespace corvanite

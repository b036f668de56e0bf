// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseManager.h"

#include "app/base/Log.h"
#include "app/process/ProcessNames.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QTimer>

#include <csignal>

namespace corvanite {

namespace {
constexpr int kWatchIntervalMs = 500;
constexpr int kActivationDelayMs = 300;
} // namespace

const QStringList& PauseManager::blockedNames()
{
    static const QStringList names{
        QStringLiteral("kernel_task"), QStringLiteral("launchd"), QStringLiteral("WindowServer"),
        QStringLiteral("loginwindow"), QStringLiteral("Finder"), QStringLiteral("Dock"),
        QStringLiteral("SystemUIServer"), QStringLiteral("ControlCenter"),
        QStringLiteral("NotificationCenter"), QStringLiteral("Spotlight"),
        QStringLiteral("syspolicyd"), QStringLiteral("cfprefsd"), QStringLiteral("powerd"),
        QStringLiteral("distnoted"), QStringLiteral("tccd"),
        // A stopped one of these freezes the whole Linux desktop.
        QStringLiteral("systemd"), QStringLiteral("init"), QStringLiteral("dbus-daemon"),
        QStringLiteral("dbus-broker"), QStringLiteral("Xorg"), QStringLiteral("Xwayland"),
        QStringLiteral("gnome-shell"), QStringLiteral("gnome-session-binary"),
        QStringLiteral("kwin_x11"), QStringLiteral("kwin_wayland"), QStringLiteral("plasmashell"),
        QStringLiteral("ksmserver"), QStringLiteral("xfwm4"), QStringLiteral("xfce4-panel"),
        QStringLiteral("lxqt-panel"), QStringLiteral("pipewire"), QStringLiteral("wireplumber"),
        QStringLiteral("pulseaudio"), QStringLiteral("xdg-desktop-portal"),
        QStringLiteral("corvanite-helper")};
    return names;
}

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
        Log::debug(
            QStringLiteral("Still paused from an earlier run: %1 pgid=%2").arg(g.name).arg(g.pgid));
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
    if (blockedNames().contains(ProcessNames::firstWord(name)))
        return false;
    return !blockedNames().contains(name);
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

bool PauseManager::pause(qint32 pid, const QString& name)
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
    qint32 lead = group;
    std::optional<quint64> start = m_deps.info->startTime(group);
    if (!start) {
        lead = pid;
        start = m_deps.info->startTime(pid);
    }
    if (!start)
        return false;
    if (const int error = m_deps.signaller->send(-group, SIGSTOP); error != 0) {
        Log::debug(
            QStringLiteral("Pause failed errno=%1: %2 group %3").arg(error).arg(name).arg(group));
        return false;
    }
    QString recordName = m_deps.info->kernelName(lead);
    if (recordName.isEmpty())
        recordName = name;
    QList<PausedGroup> groups = m_paused;
    groups.append(PausedGroup{group, lead, recordName, *start, m_deps.clock->now()});
    setPaused(std::move(groups));
    persist();
    updateWatch();
    Log::debug(QStringLiteral("Paused app group: %1 pgid=%2").arg(recordName).arg(group));
    return true;
}

void PauseManager::resume(const PausedGroup& group)
{
    const std::optional<quint64> start = m_deps.info->startTime(group.leadPid);
    // A pgid below 2 would signal our own group or every process: never from a stored record.
    if (start && *start == group.leadStart && group.pgid >= 2) {
        if (const int error = m_deps.signaller->send(-group.pgid, SIGCONT); error != 0)
            Log::debug(QStringLiteral("Resume signal failed errno=%1: %2 pgid=%3")
                           .arg(error)
                           .arg(group.name)
                           .arg(group.pgid));
        else
            Log::debug(
                QStringLiteral("Resumed app group: %1 pgid=%2").arg(group.name).arg(group.pgid));
    } else {
        Log::debug(QStringLiteral("Skipped resume after PGID reuse; removed record: %1 pgid=%2")
                       .arg(group.name)
                       .arg(group.pgid));
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
        const std::optional<ProcessStatus> s = m_deps.info->status(g.leadPid);
        if (s && s->startTime == g.leadStart && s->isStopped())
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
        Log::debug(QStringLiteral("User selected a frozen app; resuming automatically: ") + g.name);
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

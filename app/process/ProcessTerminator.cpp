// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessTerminator.h"

#include "app/base/Log.h"
#include "app/process/ProcessNames.h"

#include <csignal>

namespace corvanite {

namespace {
constexpr int kEscalationDelayMs = 3000;
} // namespace

const QStringList& ProcessTerminator::protectedNames()
{
    // The names the system cannot lose, and their Linux counterparts: init and the service
    // manager, the bus, the login manager, the display server and the desktop's compositor.
    static const QStringList names{QStringLiteral("kernel_task"),
                                   QStringLiteral("launchd"),
                                   QStringLiteral("WindowServer"),
                                   QStringLiteral("loginwindow"),
                                   QStringLiteral("syspolicyd"),
                                   QStringLiteral("cfprefsd"),
                                   QStringLiteral("powerd"),
                                   QStringLiteral("backboardd"),
                                   QStringLiteral("systemd"),
                                   QStringLiteral("init"),
                                   QStringLiteral("systemd-journald"),
                                   QStringLiteral("systemd-logind"),
                                   QStringLiteral("systemd-udevd"),
                                   QStringLiteral("dbus-daemon"),
                                   QStringLiteral("dbus-broker"),
                                   QStringLiteral("polkitd"),
                                   QStringLiteral("Xorg"),
                                   QStringLiteral("Xwayland"),
                                   QStringLiteral("gdm"),
                                   QStringLiteral("gdm3"),
                                   QStringLiteral("sddm"),
                                   QStringLiteral("lightdm"),
                                   QStringLiteral("gnome-shell"),
                                   QStringLiteral("kwin_x11"),
                                   QStringLiteral("kwin_wayland"),
                                   QStringLiteral("plasmashell"),
                                   QStringLiteral("corvanite-helper")};
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
    return !protectedNames().contains(ProcessNames::firstWord(name));
}

bool ProcessTerminator::terminate(qint32 pid)
{
    // Never our own process, whatever the caller checked before.
    if (pid <= 1 || pid == m_signals.ownPid())
        return false;
    const std::optional<quint64> start = m_info.startTime(pid);
    if (m_signals.send(pid, SIGTERM) != 0)
        return false;
    m_later(kEscalationDelayMs, [this, pid, start] { escalate(pid, start); });
    return true;
}

void ProcessTerminator::escalate(qint32 pid, std::optional<quint64> startTime)
{
    if (!startTime || m_signals.send(pid, 0) != 0)
        return;
    const std::optional<quint64> now = m_info.startTime(pid);
    if (!now || *now != *startTime)
        return;
    if (m_signals.send(pid, SIGKILL) == 0)
        Log::debug(QStringLiteral("SIGTERM had no effect; escalated to SIGKILL: %1").arg(pid));
}

} // namespace corvanite

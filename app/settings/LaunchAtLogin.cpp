// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/LaunchAtLogin.h"

#include "app/base/Log.h"

namespace corvanite {

LaunchAtLogin::LaunchAtLogin(AutostartEntry& entry)
    : m_entry(entry)
{
}

QString LaunchAtLogin::statusName(AutostartStatus status)
{
    switch (status) {
    case AutostartStatus::NotRegistered:
        return QStringLiteral("notRegistered");
    case AutostartStatus::Enabled:
        return QStringLiteral("enabled");
    case AutostartStatus::RequiresApproval:
        return QStringLiteral("requiresApproval");
    case AutostartStatus::NotFound:
        return QStringLiteral("notFound");
    }
    return QStringLiteral("unknown");
}

bool LaunchAtLogin::isEnabled() const
{
    return status() == AutostartStatus::Enabled;
}

bool LaunchAtLogin::requiresApproval() const
{
    return status() == AutostartStatus::RequiresApproval;
}

QString LaunchAtLogin::statusText() const
{
    return statusName(status());
}

bool LaunchAtLogin::set(bool enabled)
{
    const AutostartStatus before = status();
    const QString verb = enabled ? QStringLiteral("enable") : QStringLiteral("disable");
    if (enabled == (before == AutostartStatus::Enabled))
        return true;
    QString reason;
    const bool done = enabled ? m_entry.enable(reason) : m_entry.disable(reason);
    if (!done) {
        if (reason.isEmpty())
            reason = QStringLiteral("unknown error");
        Log::debug(QStringLiteral("Failed to ") + verb + QStringLiteral(" launch at login: ") +
                   reason);
        return false;
    }
    const AutostartStatus after = status();
    Log::debug(QStringLiteral("Launch at login ") + verb +
               QStringLiteral("d successfully; status=") + statusName(after));
    return enabled == (after == AutostartStatus::Enabled);
}

void LaunchAtLogin::openSystemSettings()
{
    if (!m_entry.openSystemSettings())
        Log::debug(QStringLiteral("⚠ Could not open the login items settings"));
}

} // namespace corvanite

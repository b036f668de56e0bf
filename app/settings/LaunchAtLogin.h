// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AutostartEntry.h"

#include <QString>

namespace corvanite {

// Registers or unregisters the application as a login item and reports the registration. It
// keeps no state of its own: every call asks the platform entry afresh.
class LaunchAtLogin {
public:
    explicit LaunchAtLogin(AutostartEntry& entry);

    // Over the current user's autostart entry for the running executable.
    static LaunchAtLogin& shared();

    // "notRegistered", "enabled", "requiresApproval", "notFound", or "unknown".
    static QString statusName(AutostartStatus status);

    AutostartStatus status() const { return m_entry.status(); }
    bool isEnabled() const;
    bool requiresApproval() const;
    QString statusText() const;

    // Whether the registration now matches the wanted state. A registration left waiting for
    // approval counts as not matching. Changes are logged; failures too, with their reason.
    bool set(bool enabled);

    // Shows where the user manages login items; logs when nothing could be shown.
    void openSystemSettings();

private:
    AutostartEntry& m_entry;
};

} // namespace corvanite

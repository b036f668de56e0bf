// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite {

// Registration state of the application as a login item. The numbers are the platform values
// the status names are keyed on; anything else is reported as "unknown".
enum class AutostartStatus : int {
    NotRegistered = 0,
    Enabled = 1,
    RequiresApproval = 2,
    NotFound = 3
};

// The platform's per-user login-item registration for the running application. Every call asks
// the platform afresh; nothing is cached.
class AutostartEntry {
public:
    virtual ~AutostartEntry() = default;

    virtual AutostartStatus status() const = 0;
    // Register / unregister the running application. On failure, reason gets a short,
    // human-readable cause and the result is false.
    virtual bool enable(QString& reason) = 0;
    virtual bool disable(QString& reason) = 0;
    // Shows the user where login items are managed; false when nothing could be shown.
    virtual bool openSystemSettings() = 0;
};

} // namespace corvanite

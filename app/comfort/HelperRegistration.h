// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite {

// Whether the fan helper can be started for this application.
enum class FanHelperState { notRegistered, requiresApproval, enabled, unavailable };

// The state's name as the log writes it ("requiresApproval").
QString fanHelperStateName(FanHelperState state);

// Puts the helper where the system starts it from, takes it away again, and says how things
// stand. Registration may ask the user for an administrator's authorisation.
class HelperRegistration {
public:
    virtual ~HelperRegistration() = default;
    virtual FanHelperState status() = 0;
    // False with a reason the user can read in `error` when it did not happen.
    virtual bool registerHelper(QString& error) = 0;
    virtual void unregisterHelper() = 0;
};

} // namespace corvanite

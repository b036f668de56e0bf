// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace corvanite {

// What the settings store reaches in other components when a preference changes. Any hook may
// be left empty; an empty authorisation hook counts as "granted".
struct SettingsHooks {
    // The refresh interval changed (seconds).
    std::function<void(double)> setMonitorInterval;
    // The menu-bar mode or the alerts switch changed, which the effective period depends on.
    std::function<void()> applyEffectiveInterval;
    // Ask the system for permission to show notifications; the completion gets the answer.
    std::function<void(std::function<void(bool granted)>)> requestNotificationAuthorization;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace corvanite {

// The questions the sampling engine asks the rest of the application on each tick. Each is
// asked on the main thread; an empty function answers false.
struct MonitorPolicy {
    std::function<bool()> iconOnlyMenuBar;  // the status item shows the icon and no figures
    std::function<bool()> alertsEnabled;    // threshold alerts are switched on
    std::function<bool()> wantsProcessScan; // the insight engine needs a process table now
    std::function<bool()> wantsTempSample;  // the history store wants a temperature now
};

} // namespace corvanite

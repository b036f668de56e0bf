// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsServices.h"

class QWidget;

namespace corvanite {

// The one standalone settings window, opened from the status item's menu. Showing it again
// brings the same window forward; closing it destroys it with its view, so the next opening
// starts from the stores afresh.
class SettingsWindow {
public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 620;

    // Opens the window, or raises and focuses the open one (main thread).
    static void show(const SettingsServices& services);
    // The open window; none when closed.
    static QWidget* window();

    SettingsWindow() = delete;
};

} // namespace corvanite

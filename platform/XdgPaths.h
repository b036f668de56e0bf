// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite::XdgPaths {

// The user's home folder: $HOME when it is an absolute path, else the password database's entry.
// Never the root folder merely because HOME is unset.
QString home();
// $XDG_CONFIG_HOME, or ~/.config when unset or not absolute.
QString configHome();
// $XDG_STATE_HOME, or ~/.local/state when unset or not absolute.
QString stateHome();
// The folder that holds this application's preferences.
QString appConfigDir();
// The folder that holds this application's log files.
QString appStateDir();

} // namespace corvanite::XdgPaths

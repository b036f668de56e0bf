#pragma once

#include <QString>

namespace corvanite::XdgPaths {

// $XDG_CONFIG_HOME, or ~/.config when unset or not absolute.
QString configHome();
// $XDG_STATE_HOME, or ~/.local/state when unset or not absolute.
QString stateHome();
// The folder that holds this application's preferences.
QString appConfigDir();
// The folder that holds this application's log files.
QString appStateDir();

} // namespace corvanite::XdgPaths

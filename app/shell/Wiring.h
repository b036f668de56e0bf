#pragma once

#include "app/menubar/MenuBarController.h"
#include "app/sampling/MonitorPolicy.h"
#include "app/sampling/TickConsumers.h"
#include "app/settings/SettingsHooks.h"

namespace corvanite {

// Sends the platform layer's notices into the application log.
void routePlatformLogToLog();

// The questions the sampling engine asks, answered by the settings and analysis services.
MonitorPolicy defaultMonitorPolicy();
// The analysis and process-control services each applied pass is handed to.
TickConsumers defaultTickConsumers();
// What a preference change reaches: the sampling engine and the notification permission.
SettingsHooks defaultSettingsHooks();
// The shared sampling engine as the status item reads it.
MenuBarSampling sharedMenuBarSampling();
// The status item controller's collaborators: the shared settings, engine, skins and panel.
MenuBarController::Dependencies sharedMenuBarDependencies();

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/MenuBarController.h"
#include "app/panel/settings/SettingsServices.h"
#include "app/sampling/MonitorPolicy.h"
#include "app/sampling/TickConsumers.h"
#include "app/settings/SettingsHooks.h"

namespace corvanite {

class Preferences;
struct PanelServices;

class NotificationCenter;

// Sends the platform layer's notices into the application log.
void routePlatformLogToLog();

// Tells the user once, on stderr and as a desktop notice, when the preferences file was unreadable
// (and kept aside) or cannot be written.
void reportPreferencesProblems(Preferences& preferences);

// The questions the sampling engine asks, answered by the settings and analysis services.
MonitorPolicy defaultMonitorPolicy();
// The desktop's notification service on the session bus, shared by the alerts and the notices.
NotificationCenter& sharedNotificationCenter();
// The analysis and process-control services each applied pass is handed to.
TickConsumers defaultTickConsumers();
// What a preference change reaches: the sampling engine and the notification permission.
SettingsHooks defaultSettingsHooks();
// The shared sampling engine as the status item reads it.
MenuBarSampling sharedMenuBarSampling();
// What the panel's views read and act on: the shared engine's readings and the shared stores.
const PanelServices& sharedPanelServices();
// The shared stores and services the settings window and the settings face work on.
SettingsServices sharedSettingsServices();
// The status item controller's collaborators: the shared settings, engine, skins and panel.
MenuBarController::Dependencies sharedMenuBarDependencies();

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace corvanite {

class FanController;
class FanHelperClient;
class L10n;
class LaunchAtLogin;
class SettingsManager;
class SkinManager;
class UpdateChecker;

// The stores and services the settings view reads and writes. The application fills it with
// the shared instances; tests with their own over a temporary home. settings, l10n and skins
// are required; a section whose service is missing shows its rows without that service.
struct SettingsServices {
    SettingsManager* settings = nullptr;
    L10n* l10n = nullptr;
    SkinManager* skins = nullptr;
    LaunchAtLogin* launchAtLogin = nullptr;
    FanController* fans = nullptr;
    FanHelperClient* helper = nullptr;
    UpdateChecker* updates = nullptr;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsServices.h"
#include "app/sampling/ProcessDetail.h"

#include <QString>

#include <functional>
#include <optional>

namespace corvanite {

class Clock;
class HistoryStore;
class HistoryWindowState;
class InsightEngine;
class L10n;
class PanelFlipState;
class PanelReadings;
class PauseManager;
class PinStore;
class ProcessTerminator;
class ProcessVisualCache;
class SettingsManager;

// What the panel's views are given: the readings, the shared stores they observe and the few
// actions that reach outside the panel. The application fills it once; tests fill it with
// their own instances.
struct PanelServices {
    PanelReadings* readings = nullptr;
    SettingsManager* settings = nullptr;
    L10n* l10n = nullptr;
    HistoryStore* history = nullptr;
    HistoryWindowState* historyWindow = nullptr;
    InsightEngine* insights = nullptr;
    PauseManager* pause = nullptr;
    PinStore* pins = nullptr;
    ProcessTerminator* terminator = nullptr;
    ProcessVisualCache* visuals = nullptr; // none: rows show the process name and a gear
    PanelFlipState* flip = nullptr;
    // What the settings face reaches beyond the stores above; its settings, l10n and skins are
    // taken from here and from the panel when left empty.
    SettingsServices settingsFace;
    const Clock* clock = nullptr;
    // Physical memory in bytes, for the memory column of the process rows.
    quint64 physicalMemory = 0;
    // The computer's name as the user set it, for the vitals header; empty when unknown.
    QString hostName;
    std::function<std::optional<ProcessDetail>(qint32 pid, const QString& fallbackName)> readDetail;
    std::function<void(const QString& path)> revealFile;
    // Keeps the panel open while one of its confirmations is up.
    std::function<void(bool hold)> setDialogHold;
};

} // namespace corvanite

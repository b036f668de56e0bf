// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// The unit temperatures are shown in. Readings are always held in degrees Celsius; only the
// display converts.
enum class TempUnit { Celsius, Fahrenheit };

// Panel sections the user can switch off.
enum class PanelModule { Gpu, Memory, Network, Thermal, Power, Processes };

// Row counts the process list offers; the raw value is the count itself.
enum class ProcessRowPreset { Six = 6, Eight = 8, Twelve = 12 };

// What the status item shows.
enum class MenuBarMode { Icon, Text };
// The figures the status text can carry, in display order.
enum class MenuBarMetric { Cpu, Memory, Network };
// When the status text uses its compact form.
enum class NotchMode { Off, Auto, Always };

QString rawValue(MenuBarMode mode);
QString rawValue(MenuBarMetric metric);
QString rawValue(NotchMode mode);
std::optional<MenuBarMode> menuBarModeFromRaw(const QString& raw);
std::optional<MenuBarMetric> menuBarMetricFromRaw(const QString& raw);
std::optional<NotchMode> notchModeFromRaw(const QString& raw);

// Case order doubles as the sort order of the metrics.
inline int sortIndex(MenuBarMetric metric)
{
    return static_cast<int>(metric);
}
const QList<MenuBarMetric>& allMenuBarMetrics();
const QList<NotchMode>& allNotchModes();

QString rawValue(TempUnit unit);
std::optional<TempUnit> tempUnitFromRaw(const QString& raw);
const QList<TempUnit>& allTempUnits();
// "°" for Celsius (the degree sign alone), "°F" for Fahrenheit.
QString symbol(TempUnit unit);
QString displayNameKey(TempUnit unit);
QString displayName(TempUnit unit);
// The whole number shown for a temperature given in degrees Celsius, rounded half away from
// zero. A value that is not a finite number shows 0; values beyond the integer range saturate.
qint64 display(TempUnit unit, double celsius);

QString rawValue(PanelModule module);
std::optional<PanelModule> panelModuleFromRaw(const QString& raw);
const QList<PanelModule>& allPanelModules();
QString displayName(PanelModule module);

inline int rawValue(ProcessRowPreset preset)
{
    return static_cast<int>(preset);
}
std::optional<ProcessRowPreset> processRowPresetFromRaw(qint64 raw);
const QList<ProcessRowPreset>& allProcessRowPresets();
QString displayName(ProcessRowPreset preset);

inline size_t qHash(PanelModule module, size_t seed = 0) noexcept
{
    return ::qHash(static_cast<int>(module), seed);
}

} // namespace corvanite

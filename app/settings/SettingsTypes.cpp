// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/SettingsTypes.h"

#include "app/base/L10n.h"

#include <cmath>
#include <limits>

namespace corvanite {

QString rawValue(MenuBarMode mode)
{
    return mode == MenuBarMode::Text ? QStringLiteral("text") : QStringLiteral("icon");
}

QString rawValue(MenuBarMetric metric)
{
    switch (metric) {
    case MenuBarMetric::Cpu:
        return QStringLiteral("cpu");
    case MenuBarMetric::Memory:
        return QStringLiteral("memory");
    case MenuBarMetric::Network:
        return QStringLiteral("network");
    }
    return {};
}

QString rawValue(NotchMode mode)
{
    switch (mode) {
    case NotchMode::Off:
        return QStringLiteral("off");
    case NotchMode::Auto:
        return QStringLiteral("auto");
    case NotchMode::Always:
        return QStringLiteral("always");
    }
    return {};
}

std::optional<MenuBarMode> menuBarModeFromRaw(const QString& raw)
{
    if (raw == QLatin1String("icon"))
        return MenuBarMode::Icon;
    if (raw == QLatin1String("text"))
        return MenuBarMode::Text;
    return std::nullopt;
}

std::optional<MenuBarMetric> menuBarMetricFromRaw(const QString& raw)
{
    for (MenuBarMetric metric : allMenuBarMetrics()) {
        if (rawValue(metric) == raw)
            return metric;
    }
    return std::nullopt;
}

std::optional<NotchMode> notchModeFromRaw(const QString& raw)
{
    for (NotchMode mode : allNotchModes()) {
        if (rawValue(mode) == raw)
            return mode;
    }
    return std::nullopt;
}

const QList<MenuBarMetric>& allMenuBarMetrics()
{
    static const QList<MenuBarMetric> all{MenuBarMetric::Cpu, MenuBarMetric::Memory,
                                          MenuBarMetric::Network};
    return all;
}

const QList<NotchMode>& allNotchModes()
{
    static const QList<NotchMode> all{NotchMode::Off, NotchMode::Auto, NotchMode::Always};
    return all;
}

QString rawValue(TempUnit unit)
{
    return unit == TempUnit::Fahrenheit ? QStringLiteral("fahrenheit") : QStringLiteral("celsius");
}

std::optional<TempUnit> tempUnitFromRaw(const QString& raw)
{
    for (TempUnit unit : allTempUnits()) {
        if (rawValue(unit) == raw)
            return unit;
    }
    return std::nullopt;
}

const QList<TempUnit>& allTempUnits()
{
    static const QList<TempUnit> all{TempUnit::Celsius, TempUnit::Fahrenheit};
    return all;
}

QString symbol(TempUnit unit)
{
    return unit == TempUnit::Fahrenheit ? QStringLiteral("°F") : QStringLiteral("°");
}

QString displayNameKey(TempUnit unit)
{
    return QStringLiteral("settings.tempunit.") + rawValue(unit) + QStringLiteral(".display");
}

QString displayName(TempUnit unit)
{
    return L(displayNameKey(unit));
}

qint64 display(TempUnit unit, double celsius)
{
    const double value = unit == TempUnit::Fahrenheit ? celsius * 9.0 / 5.0 + 32.0 : celsius;
    if (!std::isfinite(value))
        return 0;
    // std::round rounds halves away from zero; the clamp keeps the conversion defined.
    const double rounded = std::round(value);
    constexpr double kMax = 9.2e18;
    if (rounded >= kMax)
        return std::numeric_limits<qint64>::max();
    if (rounded <= -kMax)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(rounded);
}

QString rawValue(PanelModule module)
{
    switch (module) {
    case PanelModule::Gpu:
        return QStringLiteral("gpu");
    case PanelModule::Memory:
        return QStringLiteral("memory");
    case PanelModule::Network:
        return QStringLiteral("network");
    case PanelModule::Thermal:
        return QStringLiteral("thermal");
    case PanelModule::Power:
        return QStringLiteral("power");
    case PanelModule::Processes:
        return QStringLiteral("processes");
    }
    return {};
}

std::optional<PanelModule> panelModuleFromRaw(const QString& raw)
{
    for (PanelModule module : allPanelModules()) {
        if (rawValue(module) == raw)
            return module;
    }
    return std::nullopt;
}

const QList<PanelModule>& allPanelModules()
{
    static const QList<PanelModule> all{PanelModule::Gpu,     PanelModule::Memory,
                                        PanelModule::Network, PanelModule::Thermal,
                                        PanelModule::Power,   PanelModule::Processes};
    return all;
}

QString displayName(PanelModule module)
{
    return L(QStringLiteral("settings.module.") + rawValue(module));
}

std::optional<ProcessRowPreset> processRowPresetFromRaw(qint64 raw)
{
    for (ProcessRowPreset preset : allProcessRowPresets()) {
        if (rawValue(preset) == raw)
            return preset;
    }
    return std::nullopt;
}

const QList<ProcessRowPreset>& allProcessRowPresets()
{
    static const QList<ProcessRowPreset> all{ProcessRowPreset::Six, ProcessRowPreset::Eight,
                                             ProcessRowPreset::Twelve};
    return all;
}

QString displayName(ProcessRowPreset preset)
{
    return L(QStringLiteral("settings.layout.rows.value"), {rawValue(preset)});
}

} // namespace corvanite

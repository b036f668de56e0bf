#include "settings/SettingsTypes.h"

#include "shell/L10n.h"

#include <cmath>
#include <limits>

namespace corvanite {

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

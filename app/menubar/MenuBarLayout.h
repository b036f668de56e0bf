#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

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
inline int sortIndex(MenuBarMetric metric) {
    return static_cast<int>(metric);
}
const QList<MenuBarMetric>& allMenuBarMetrics();
const QList<NotchMode>& allNotchModes();

} // namespace corvanite

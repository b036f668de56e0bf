#include "menubar/MenuBarLayout.h"

namespace corvanite {

QString rawValue(MenuBarMode mode) {
    return mode == MenuBarMode::Text ? QStringLiteral("text") : QStringLiteral("icon");
}

QString rawValue(MenuBarMetric metric) {
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

QString rawValue(NotchMode mode) {
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

std::optional<MenuBarMode> menuBarModeFromRaw(const QString& raw) {
    if (raw == QLatin1String("icon"))
        return MenuBarMode::Icon;
    if (raw == QLatin1String("text"))
        return MenuBarMode::Text;
    return std::nullopt;
}

std::optional<MenuBarMetric> menuBarMetricFromRaw(const QString& raw) {
    for (MenuBarMetric metric : allMenuBarMetrics()) {
        if (rawValue(metric) == raw)
            return metric;
    }
    return std::nullopt;
}

std::optional<NotchMode> notchModeFromRaw(const QString& raw) {
    for (NotchMode mode : allNotchModes()) {
        if (rawValue(mode) == raw)
            return mode;
    }
    return std::nullopt;
}

const QList<MenuBarMetric>& allMenuBarMetrics() {
    static const QList<MenuBarMetric> all{MenuBarMetric::Cpu, MenuBarMetric::Memory,
                                          MenuBarMetric::Network};
    return all;
}

const QList<NotchMode>& allNotchModes() {
    static const QList<NotchMode> all{NotchMode::Off, NotchMode::Auto, NotchMode::Always};
    return all;
}

} // namespace corvanite

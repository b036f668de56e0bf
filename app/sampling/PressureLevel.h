#pragma once

#include <QString>

namespace corvanite {

// The kernel's memory-pressure level, ordered by raw value.
enum class PressureLevel { Normal = 0, Warning = 1, Critical = 2 };

// The case name, as the log writes it.
inline QString name(PressureLevel level)
{
    switch (level) {
    case PressureLevel::Warning:
        return QStringLiteral("warning");
    case PressureLevel::Critical:
        return QStringLiteral("critical");
    case PressureLevel::Normal:
        break;
    }
    return QStringLiteral("normal");
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessSortMode.h"

#include "app/base/L10n.h"

namespace corvanite {

QString rawValue(ProcessSortMode mode)
{
    switch (mode) {
    case ProcessSortMode::Cpu:
        return QStringLiteral("cpu");
    case ProcessSortMode::Memory:
        return QStringLiteral("memory");
    case ProcessSortMode::Energy:
        return QStringLiteral("energy");
    }
    return QStringLiteral("cpu");
}

std::optional<ProcessSortMode> processSortModeFromRaw(const QString& raw)
{
    for (ProcessSortMode mode : allProcessSortModes()) {
        if (rawValue(mode) == raw)
            return mode;
    }
    return std::nullopt;
}

QList<ProcessSortMode> allProcessSortModes()
{
    return {ProcessSortMode::Cpu, ProcessSortMode::Memory, ProcessSortMode::Energy};
}

QString displayName(ProcessSortMode mode)
{
    return L(QStringLiteral("proc.sort.") + rawValue(mode));
}

} // namespace corvanite

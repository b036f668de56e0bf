// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// How the process section is ordered; the raw values are also the identities.
enum class ProcessSortMode { Cpu, Memory, Energy };

QString rawValue(ProcessSortMode mode);
std::optional<ProcessSortMode> processSortModeFromRaw(const QString& raw);
// In the order of the sort picker.
QList<ProcessSortMode> allProcessSortModes();
QString displayName(ProcessSortMode mode);

} // namespace corvanite

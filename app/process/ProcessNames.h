// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace corvanite::ProcessNames {

// The first blank-separated word of a process name, empty words skipped; the whole name when
// it has no word.
inline QString firstWord(const QString& name)
{
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return words.isEmpty() ? name : words.first();
}

} // namespace corvanite::ProcessNames

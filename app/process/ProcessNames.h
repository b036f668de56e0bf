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

// The name cut to at most `maxBytes` bytes of UTF-8, never inside a character.
inline QString cutToBytes(const QString& name, qsizetype maxBytes)
{
    if (name.toUtf8().size() <= maxBytes)
        return name;
    QString cut;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype units = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const qsizetype size = name.mid(i, units).toUtf8().size();
        if (bytes + size > maxBytes)
            break;
        cut += name.mid(i, units);
        bytes += size;
        i += units;
    }
    return cut;
}

} // namespace corvanite::ProcessNames

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Readable Qt strings in GoogleTest failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& value, std::ostream* os)
{
    *os << '"' << value.toStdString() << '"';
}
inline void PrintTo(const QStringList& value, std::ostream* os)
{
    *os << '[';
    for (qsizetype i = 0; i < value.size(); ++i)
        *os << (i ? ", \"" : "\"") << value.at(i).toStdString() << '"';
    *os << ']';
}
QT_END_NAMESPACE

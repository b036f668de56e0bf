// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/base/Log.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace corvanite::test {

// The lines the application log received since this watch was made, without their timestamps.
class LogWatch {
public:
    LogWatch()
        : m_start(QFileInfo(Logger::shared().path()).size())
    {
    }

    QStringList lines() const
    {
        QFile file(Logger::shared().path());
        if (!file.open(QIODevice::ReadOnly) || !file.seek(m_start))
            return {};
        static const QRegularExpression stamp(
            QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] "));
        QStringList lines;
        for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.isEmpty())
                continue;
            lines.append(line.remove(stamp));
        }
        return lines;
    }

private:
    qint64 m_start;
};

} // namespace corvanite::test

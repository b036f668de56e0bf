// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/Screenshots.h"

#include <QDir>

namespace corvanite::test {

QString screenshotPath(const QString& fileName)
{
    const QString dir = QStringLiteral(CORVANITE_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + fileName;
}

} // namespace corvanite::test

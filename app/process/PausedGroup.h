// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

namespace corvanite {

// One stopped process group, with what identifies its lead process so a reused group id is
// never continued.
struct PausedGroup {
    qint32 pgid = 0;
    qint32 leadPid = 0;
    QString name;
    quint64 leadStart = 0; // whole seconds since 1970-01-01 UTC
    double at = 0.0;       // when it was paused, seconds since 2001-01-01 UTC

    bool operator==(const PausedGroup&) const = default;

    // The stored form: a JSON array of {"pgid","leadPid","name","leadStart","at"} objects.
    static QByteArray encode(const QList<PausedGroup>& groups);
    // Nothing unless the bytes are exactly such an array with every field of its kind.
    static std::optional<QList<PausedGroup>> decode(const QByteArray& json);
};

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::PausedGroup)

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
    PausedGroup() = default;
    // Without the exact identity, as records stored by earlier versions are.
    PausedGroup(qint32 pgid, qint32 leadPid, QString name, quint64 leadStart, double at,
                QString bootId = {}, std::optional<quint64> leadStartTicks = std::nullopt)
        : pgid(pgid)
        , leadPid(leadPid)
        , name(std::move(name))
        , leadStart(leadStart)
        , at(at)
        , bootId(std::move(bootId))
        , leadStartTicks(leadStartTicks)
    {
    }

    qint32 pgid = 0;
    qint32 leadPid = 0;
    QString name;
    quint64 leadStart = 0; // whole seconds since 1970-01-01 UTC
    double at = 0.0;       // when it was paused, seconds since 2001-01-01 UTC
    // The lead's exact identity: the boot it ran in and its start in clock ticks after boot.
    // The wall-clock start above moves with a stepped clock from one launch to the next; these
    // do not. Records stored by earlier versions have neither.
    QString bootId;
    std::optional<quint64> leadStartTicks;

    bool operator==(const PausedGroup&) const = default;

    // The stored form: a JSON array of {"pgid","leadPid","name","leadStart","at"} objects, with
    // "bootId" and "leadStartTicks" beside them when known.
    static QByteArray encode(const QList<PausedGroup>& groups);
    // Nothing unless the bytes are exactly such an array with every required field of its kind.
    // A malformed "bootId" or "leadStartTicks" is taken as absent, so the record still loads
    // and is compared by its wall-clock start.
    static std::optional<QList<PausedGroup>> decode(const QByteArray& json);
};

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::PausedGroup)

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace corvanite {

// One fan's state as the helper reports it; the same record in the application and the daemon.
struct FanReading {
    qint64 index = 0;
    double actualRPM = 0;
    double targetRPM = 0;
    double minRPM = 0;
    double maxRPM = 0;
    bool forced = false;

    bool operator==(const FanReading&) const = default;

    // Compact UTF-8 JSON: an array of objects with exactly the six field names as keys, in
    // fan order; no fans is "[]".
    static QByteArray encodeList(const QList<FanReading>& readings);

    // Strict: every object needs all six keys with values of the right kind, else the whole
    // payload is unreadable (nothing). A half-understood list would show fans that are not there.
    static std::optional<QList<FanReading>> decodeList(const QByteArray& json);
};

} // namespace corvanite

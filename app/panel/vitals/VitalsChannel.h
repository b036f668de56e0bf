// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// One row of the monitor: a name, a trace and a large reading, red while past its threshold.
struct VitalsChannel {
    QString title;
    QString subtitle;
    QColor color;                   // trace and text while not alarming
    QList<double> values;           // recent samples, oldest first
    std::optional<double> maxValue; // fixed top of the scale; none scales to the largest value
    QString reading;
    std::optional<QString> readingUnit;
    QString detail;
    bool isAlarm = false;
    // History buckets, for the windows other than live.
    std::optional<QList<std::optional<double>>> slots;

    // The colour the trace and the reading take now.
    QColor shownColor() const;
};

} // namespace corvanite

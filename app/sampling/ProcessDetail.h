// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

namespace corvanite {

// What the expanded process row shows.
struct ProcessDetail {
    qint32 pid = 0;
    QString name;
    QString path;
    quint64 residentBytes = 0;
    quint64 virtualBytes = 0;
    quint64 cpuUserTime = 0;   // nanoseconds
    quint64 cpuSystemTime = 0; // nanoseconds
    qint32 threadCount = 0;
    std::optional<double> startDate; // seconds since 2001-01-01 UTC
    qint32 parentPid = 0;
    // The kernel's start of the process in clock ticks after boot: what a signal sent from
    // this detail checks first, so a pid reused while the detail is open is left alone.
    quint64 startTicks = 0;
    bool zombie = false;       // ended, waiting for its parent to reap it
    bool kernelThread = false; // one of the kernel's own threads

    bool operator==(const ProcessDetail&) const = default;
};

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::ProcessDetail)

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

namespace corvanite {

// One finding of the diagnostics card.
struct Insight {
    // The raw value is also the order in which findings are listed.
    enum class Kind { PressureCulprit = 0, Leak = 1, SleepBlocker = 2, IdleHog = 3 };

    Kind kind = Kind::PressureCulprit;
    qint32 pid = 0;
    QString processName;
    QString message; // already in the interface language
    // The memory the finding is about; none for a sleep blocker.
    std::optional<quint64> reclaimBytes;

    // Kind raw value, '.', pid: "1.4242" for a leak of pid 4242.
    QString id() const;
    bool operator==(const Insight&) const = default;
};

// The case name, as the log writes it: "pressureCulprit", "leak", "sleepBlocker", "idleHog".
QString name(Insight::Kind kind);

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::Insight)

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

namespace corvanite {

class Clock;
class Preferences;

// Process names the user pinned (at most three), kept across launches, and for each a CPU
// trend of one value per 30 seconds over the last hour. Pins follow names, not pids, so they
// survive restarts of the process. Main thread only.
class PinStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(QStringList names READ names NOTIFY namesChanged)

public:
    static constexpr int kMaxPins = 3;
    static constexpr int kTrackLength = 120;
    static constexpr double kRecordInterval = 30.0;
    static inline const QString kStoreKey = QStringLiteral("pinnedProcesses");

    PinStore(Preferences& prefs, const Clock& clock, QObject* parent = nullptr);

    static PinStore& shared();

    QStringList names() const { return m_names; }
    const QHash<QString, QList<double>>& cpuTracks() const { return m_cpuTracks; }

    bool isPinned(const QString& name) const { return m_names.contains(name); }
    bool isFull() const { return m_names.size() > 2; }
    void toggle(const QString& name);
    void record(const QList<ProcessSample>& processes);
    QList<ProcessSample> partition(const QList<ProcessSample>& list) const;

Q_SIGNALS:
    void namesChanged();
    // A value was added to the tracks.
    void changed();

private:
    Preferences& m_prefs;
    const Clock& m_clock;
    QStringList m_names;
    QHash<QString, QList<double>> m_cpuTracks;
    double m_lastRecord = 0.0;
};

} // namespace corvanite

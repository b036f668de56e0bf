// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/analysis/Insight.h"
#include "app/sampling/PressureLevel.h"
#include "app/sampling/Samples.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>

namespace corvanite {

class Clock;

// Turns process samples, sleep assertions and memory-pressure rises into at most three short
// findings for the diagnostics card: the process holding the most memory when pressure rose, a
// process whose memory keeps growing, a process keeping the machine awake, and a large process
// that has been idle for a long time. Nothing is stored between runs. Main thread only.
class InsightEngine : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<corvanite::Insight> insights READ insights NOTIFY insightsChanged)

public:
    static constexpr double kIngestInterval = 30.0;
    static constexpr qsizetype kTrackLength = 40;
    static constexpr qsizetype kLeakMinSamples = 20;
    static constexpr quint64 kLeakGrowth = 805306368; // 768 MiB
    static constexpr double kLeakMonotony = 0.8;
    static constexpr double kIdleCpu = 1.5;            // percent of one core
    static constexpr quint64 kIdleMemory = 1073741824; // 1 GiB
    static constexpr int kIdleStreak = 20;
    static constexpr double kCulpritFreshness = 600.0;
    static constexpr qsizetype kListLimit = 3;

    struct Dependencies {
        const Clock* clock = nullptr;
        // The sampling engine's last scanned process table. While the panel is closed the
        // published table is not kept current, so the culprit is picked from this one.
        std::function<QList<ProcessSample>()> lastProcesses;
        // This application's own process, never reported as a sleep blocker.
        qint32 ownPid = 0;
    };

    explicit InsightEngine(Dependencies dependencies, QObject* parent = nullptr);

    static InsightEngine& shared();

    // A pass that scanned processes: its table and, when read, the sleep assertions.
    void ingest(const QList<ProcessSample>& processes,
                const std::optional<AssertionMap>& assertions);
    // Remembers the process holding the most memory right now as the pressure culprit.
    void captureCulprits(PressureLevel level);
    // The memory-pressure level changed: a rise captures the culprit first (seeing the level
    // before the change), then the level is kept for the next rebuilds.
    void setPressureLevel(PressureLevel level);
    PressureLevel pressureLevel() const { return m_pressureLevel; }
    // At least kIngestInterval has passed since the last ingest that took samples.
    bool wantsProcessScan() const;

    QList<Insight> insights() const { return m_insights; }

Q_SIGNALS:
    void insightsChanged();

private:
    struct TrackSample {
        double t = 0.0;
        quint64 bytes = 0;
    };
    struct Culprit {
        qint32 pid = 0;
        QString name;
        quint64 bytes = 0;
        double at = 0.0;
    };

    void rebuild();
    QString nameOf(qint32 pid) const;
    std::optional<Insight> leakFinding(qint32 pid, const QList<TrackSample>& track) const;

    const Clock& m_clock;
    std::function<QList<ProcessSample>()> m_lastProcesses;
    qint32 m_ownPid;

    QList<Insight> m_insights;
    QHash<qint32, QList<TrackSample>> m_memTracks;
    QHash<qint32, int> m_idleStreak;
    double m_lastIngest = 0.0;
    std::optional<Culprit> m_lastCulprit;
    AssertionMap m_sleepBlockers;
    QHash<qint32, QString> m_names;
    QString m_lastLoggedLineup;
    PressureLevel m_pressureLevel = PressureLevel::Normal;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/InsightEngine.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/base/Log.h"
#include "platform/Clock.h"

#include <QSet>

#include <algorithm>

namespace corvanite {

namespace {

// Daemons that hold sleep assertions as a matter of course.
const QSet<QString>& quietBlockers()
{
    static const QSet<QString> names{
        QStringLiteral("sharingd"),     QStringLiteral("useractivityd"),
        QStringLiteral("powerd"),       QStringLiteral("coreaudiod"),
        QStringLiteral("bluetoothd"),   QStringLiteral("mds"),
        QStringLiteral("apsd"),         QStringLiteral("cloudd"),
        QStringLiteral("nsurlsessiond")};
    return names;
}

} // namespace

InsightEngine::InsightEngine(Dependencies dependencies, QObject* parent)
    : QObject(parent)
    , m_clock(*dependencies.clock)
    , m_lastProcesses(std::move(dependencies.lastProcesses))
    , m_ownPid(dependencies.ownPid)
{
}

bool InsightEngine::wantsProcessScan() const
{
    return m_clock.now() - m_lastIngest >= kIngestInterval;
}

void InsightEngine::ingest(const QList<ProcessSample>& processes,
                           const std::optional<AssertionMap>& assertions)
{
    bool blockersChanged = false;
    if (assertions && *assertions != m_sleepBlockers) {
        m_sleepBlockers = *assertions;
        blockersChanged = true;
    }
    const double now = m_clock.now();
    if (now - m_lastIngest >= kIngestInterval && !processes.isEmpty()) {
        m_lastIngest = now;
        QSet<qint32> seen;
        seen.reserve(processes.size());
        for (const ProcessSample& p : processes) {
            seen.insert(p.pid);
            m_names.insert(p.pid, p.name);
            QList<TrackSample>& track = m_memTracks[p.pid];
            track.append({now, p.memoryBytes});
            if (track.size() > kTrackLength)
                track.remove(0, track.size() - kTrackLength);
            if (p.cpuPercent < kIdleCpu && p.memoryBytes > kIdleMemory)
                ++m_idleStreak[p.pid];
            else
                m_idleStreak.remove(p.pid);
        }
        m_memTracks.removeIf(
            [&seen](decltype(m_memTracks)::iterator it) { return !seen.contains(it.key()); });
        m_idleStreak.removeIf(
            [&seen](decltype(m_idleStreak)::iterator it) { return !seen.contains(it.key()); });
        m_names.removeIf(
            [&seen](decltype(m_names)::iterator it) { return !seen.contains(it.key()); });
        rebuild();
        return;
    }
    if (blockersChanged)
        rebuild();
}

void InsightEngine::captureCulprits(PressureLevel /*level*/)
{
    const QList<ProcessSample> processes =
        m_lastProcesses ? m_lastProcesses() : QList<ProcessSample>{};
    if (processes.isEmpty())
        return;
    const ProcessSample* top = &processes.first();
    for (const ProcessSample& p : processes) {
        if (p.memoryBytes > top->memoryBytes)
            top = &p;
    }
    m_lastCulprit = Culprit{top->pid, top->name, top->memoryBytes, m_clock.now()};
    Log::debug(QStringLiteral("Pressure culprit snapshot: ") + Log::escaped(top->name) +
               QLatin1Char(' ') + QString::number(top->memoryBytes / 1048576) +
               QStringLiteral("MB"));
    rebuild();
}

void InsightEngine::setPressureLevel(PressureLevel level)
{
    if (level > m_pressureLevel)
        captureCulprits(level);
    m_pressureLevel = level;
}

QString InsightEngine::nameOf(qint32 pid) const
{
    const auto it = m_names.constFind(pid);
    if (it != m_names.constEnd())
        return *it;
    return QStringLiteral("pid ") + QString::number(pid);
}

std::optional<Insight> InsightEngine::leakFinding(qint32 pid, const QList<TrackSample>& track) const
{
    if (track.size() < kLeakMinSamples)
        return std::nullopt;
    const quint64 first = track.first().bytes;
    const quint64 last = track.last().bytes;
    if (last <= first || last - first <= kLeakGrowth)
        return std::nullopt;
    qsizetype rising = 0;
    for (qsizetype i = 1; i < track.size(); ++i) {
        if (track[i].bytes >= track[i - 1].bytes)
            ++rising;
    }
    if (static_cast<double>(rising) / static_cast<double>(track.size() - 1) < kLeakMonotony)
        return std::nullopt;
    const QString name = nameOf(pid);
    return Insight{Insight::Kind::Leak, pid, name,
                   L(QStringLiteral("insight.leak"), {name, Format::byteString(last - first)}),
                   last};
}

void InsightEngine::rebuild()
{
    const double now = m_clock.now();
    QList<Insight> found;

    if (m_lastCulprit && now - m_lastCulprit->at < kCulpritFreshness &&
        m_pressureLevel != PressureLevel::Normal) {
        const Culprit& c = *m_lastCulprit;
        found.append({Insight::Kind::PressureCulprit, c.pid, c.name,
                      L(QStringLiteral("insight.pressure"), {c.name, Format::byteString(c.bytes)}),
                      c.bytes});
    }

    for (auto it = m_memTracks.cbegin(); it != m_memTracks.cend(); ++it) {
        if (auto leak = leakFinding(it.key(), it.value()))
            found.append(std::move(*leak));
    }

    for (auto it = m_sleepBlockers.cbegin(); it != m_sleepBlockers.cend(); ++it) {
        const qint32 pid = it.key();
        if (pid == m_ownPid)
            continue;
        const QString name = nameOf(pid);
        if (quietBlockers().contains(name))
            continue;
        found.append({Insight::Kind::SleepBlocker, pid, name,
                      L(QStringLiteral("insight.sleepBlocker"), {name}), std::nullopt});
    }

    for (auto it = m_idleStreak.cbegin(); it != m_idleStreak.cend(); ++it) {
        if (it.value() < kIdleStreak)
            continue;
        const auto track = m_memTracks.constFind(it.key());
        if (track == m_memTracks.cend() || track->isEmpty())
            continue;
        const quint64 bytes = track->last().bytes;
        const QString name = nameOf(it.key());
        found.append({Insight::Kind::IdleHog, it.key(), name,
                      L(QStringLiteral("insight.idleHog"), {name, Format::byteString(bytes)}),
                      bytes});
    }

    std::stable_sort(found.begin(), found.end(), [](const Insight& a, const Insight& b) {
        if (a.kind != b.kind)
            return static_cast<int>(a.kind) < static_cast<int>(b.kind);
        return a.pid < b.pid;
    });
    if (found.size() > kListLimit)
        found.resize(kListLimit);

    if (found == m_insights)
        return;
    m_insights = found;
    Q_EMIT insightsChanged();

    QStringList parts;
    for (const Insight& insight : std::as_const(m_insights))
        parts.append(QLatin1Char('[') + name(insight.kind) + QStringLiteral("] ") +
                     Log::escaped(insight.processName));
    const QString lineup = parts.join(QStringLiteral(" / "));
    if (lineup == m_lastLoggedLineup)
        return;
    m_lastLoggedLineup = lineup;
    Log::debug(QStringLiteral("Diagnostics updated: ") + lineup);
}

} // namespace corvanite

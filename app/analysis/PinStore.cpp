// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/PinStore.h"

#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QSet>

namespace corvanite {

PinStore::PinStore(Preferences& prefs, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_prefs(prefs)
    , m_clock(clock)
    , m_names(prefs.stringArray(kStoreKey).value_or(QStringList()))
{
}

void PinStore::toggle(const QString& name)
{
    if (m_names.contains(name)) {
        m_names.removeAll(name);
        m_cpuTracks.remove(name);
        Q_EMIT namesChanged();
    } else if (m_names.size() <= 2) {
        m_names.append(name);
        Q_EMIT namesChanged();
    }
    m_prefs.setStringArray(kStoreKey, m_names);
}

void PinStore::record(const QList<ProcessSample>& processes)
{
    if (m_names.isEmpty())
        return;
    const double now = m_clock.now();
    if (now - m_lastRecord < kRecordInterval)
        return;
    m_lastRecord = now;
    for (const QString& name : std::as_const(m_names)) {
        double value = 0.0;
        for (const ProcessSample& p : processes) {
            if (p.name == name)
                value = std::max(value, p.cpuPercent);
        }
        QList<double>& track = m_cpuTracks[name];
        track.append(value);
        if (track.size() > kTrackLength)
            track.remove(0, track.size() - kTrackLength);
    }
    Q_EMIT changed();
}

QList<ProcessSample> PinStore::partition(const QList<ProcessSample>& list) const
{
    if (m_names.isEmpty())
        return list;
    QList<ProcessSample> front;
    QList<ProcessSample> back;
    back.reserve(list.size());
    QSet<QString> taken;
    for (const ProcessSample& p : list) {
        if (m_names.contains(p.name) && !taken.contains(p.name)) {
            taken.insert(p.name);
            front.append(p);
        } else {
            back.append(p);
        }
    }
    return front + back;
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplications.h"

#include <QHash>
#include <QIcon>
#include <QSet>
#include <QString>

#include <optional>

namespace corvanite {

// A process row's display name and application icon.
struct ProcessVisual {
    QString name;
    std::optional<QIcon> icon;
};

// Looks each process's application up once and forgets it as soon as the process is gone, so a
// reused pid gets a fresh lookup; everything is looked up again once the installed applications
// changed. Main thread only.
class ProcessVisualCache {
public:
    explicit ProcessVisualCache(RunningApplications& applications);

    static ProcessVisualCache& shared();

    ProcessVisual lookup(qint32 pid, const QString& fallbackName);
    void prune(const QSet<qint32>& valid);

    qsizetype size() const { return m_cache.size(); }
    // Changes whenever the installed applications changed: visuals shown before may be stale.
    quint64 generation() const { return m_applications.generation(); }

private:
    RunningApplications& m_applications;
    QHash<qint32, ProcessVisual> m_cache;
    quint64 m_generation = 0;
};

} // namespace corvanite

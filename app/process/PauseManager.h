// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/DelayedCall.h"
#include "app/process/PausedGroup.h"
#include "platform/FrontmostApplication.h"
#include "platform/ProcessInfo.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class QTimer;

namespace corvanite {

class Clock;
class Preferences;

// Freezes and thaws whole process groups. Each record remembers the start time of the group's
// lead process, so a group id or pid that the system handed to someone else is never signalled.
// Records are stored, so a relaunched application still knows what it froze; while anything is
// frozen a 0.5 s watch thaws a frozen application that the user brings to the front.
// Main thread only.
class PauseManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<corvanite::PausedGroup> paused READ paused NOTIFY pausedChanged)

public:
    static inline const QString kStoreKey = QStringLiteral("pausedGroups");
    static const QStringList& blockedNames();

    struct Dependencies {
        ProcessInfo* info = nullptr;
        ProcessSignals* signaller = nullptr;
        Preferences* prefs = nullptr;
        const Clock* clock = nullptr;
        FrontmostApplication* frontmost = nullptr;
        DelayedCall later; // empty: a main-thread timer
    };

    // Loads the stored records and reconciles them with the running system at once.
    explicit PauseManager(Dependencies deps, QObject* parent = nullptr);
    ~PauseManager() override;

    static PauseManager& shared();

    QList<PausedGroup> paused() const { return m_paused; }

    // Whether the pause action is offered for this process, by its own name and kind (kernel
    // threads and zombies are never offered).
    bool canPause(qint32 pid, const QString& name) const;
    // A member of the pid's process group whose stop would break the session; pausing the
    // group is then refused, and the confirmation says which member protects it.
    struct Member {
        qint32 pid = 0;
        QString name;
        bool operator==(const Member&) const = default;
    };
    std::optional<Member> protectingMember(qint32 pid) const;
    std::optional<PausedGroup> entry(qint32 pid) const;
    // `expectedStartTicks`: the start the caller saw (the detail view); a pid that now belongs
    // to a process started at another tick is not paused.
    bool pause(qint32 pid, const QString& name,
               std::optional<quint64> expectedStartTicks = std::nullopt);
    void resume(const PausedGroup& group);
    void resumeAll();
    void reconcile();

    // The watch runs exactly while a group is paused; its tick is frontmostCheck().
    bool isWatching() const { return m_watchTimer != nullptr; }
    void frontmostCheck();

Q_SIGNALS:
    void pausedChanged();

private:
    // Whether the lead's current reading is the very process the record froze.
    bool isSameLead(const PausedGroup& group, const ProcessStatus& lead) const;
    // Whether some thread of some member of the group is still stopped.
    bool isGroupStopped(const PausedGroup& group) const;
    void setPaused(QList<PausedGroup> groups);
    void persist();
    void updateWatch();

    Dependencies m_deps;
    QList<PausedGroup> m_paused;
    std::unique_ptr<QTimer> m_watchTimer;
};

} // namespace corvanite

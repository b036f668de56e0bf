// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/PauseManager.h"

#include <QString>

#include <optional>

namespace corvanite {

// A panel's pause request: pausing is always confirmed in a dialog. When the process group
// holds a member the session needs, the dialog names that member and offers no pause.
class PauseFlow {
public:
    struct Pending {
        qint32 pid = 0;
        QString name;
        // The start the detail view showed; only that very process is paused.
        std::optional<quint64> startTicks;
        std::optional<PauseManager::Member> protectedBy;
    };

    explicit PauseFlow(PauseManager& manager);

    void request(qint32 pid, const QString& name, std::optional<quint64> startTicks = std::nullopt);
    // "proc.pause.action": pauses the pending process; the result is not shown.
    void confirm();
    void cancel();

    const std::optional<Pending>& pending() const { return m_pending; }
    bool dialogShown() const { return m_pending.has_value(); }
    // False when a protected member keeps the group from being paused: the dialog then only
    // explains, with its cancel button.
    bool offersPause() const { return m_pending && !m_pending->protectedBy; }
    QString title() const; // empty while nothing is pending
    QString message() const;
    QString confirmLabel() const;
    QString cancelLabel() const;

private:
    PauseManager& m_manager;
    std::optional<Pending> m_pending;
};

} // namespace corvanite

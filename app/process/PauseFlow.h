// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace corvanite {

class PauseManager;

// A panel's pause request: pausing is always confirmed in a dialog.
class PauseFlow {
public:
    struct Pending {
        qint32 pid = 0;
        QString name;
    };

    explicit PauseFlow(PauseManager& manager);

    void request(qint32 pid, const QString& name);
    // "proc.pause.action": pauses the pending process; the result is not shown.
    void confirm();
    void cancel();

    const std::optional<Pending>& pending() const { return m_pending; }
    bool dialogShown() const { return m_pending.has_value(); }
    QString title() const; // empty while nothing is pending
    QString message() const;
    QString confirmLabel() const;
    QString cancelLabel() const;

private:
    PauseManager& m_manager;
    std::optional<Pending> m_pending;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace corvanite {

class ProcessTerminator;

// The user's list of names that may be terminated without asking.
struct Preauthorization {
    std::function<bool(const QString&)> isPreauthorized;
    std::function<void(const QString&)> add;
};

// A panel's terminate request: the pending process, the confirmation dialog and what each of
// its buttons does. The panel draws the dialog from dialogShown() and the keys; `onTerminated`
// collapses the expanded row once SIGTERM went out.
class TerminationFlow {
public:
    enum class Skin { Glass, Vitals };
    struct Pending {
        qint32 pid = 0;
        QString name;
        // The start the detail view showed; the signal goes only to that very process.
        std::optional<quint64> startTicks;
    };

    TerminationFlow(Skin skin, ProcessTerminator& terminator, Preauthorization preauthorization,
                    std::function<void()> onTerminated = {});

    // From the detail view's terminate action (offered only for killable processes).
    void request(qint32 pid, const QString& name, std::optional<quint64> startTicks = std::nullopt);
    void confirm();
    void confirmAlways();
    void cancel();
    void performKill();

    const std::optional<Pending>& pending() const { return m_pending; }
    bool dialogShown() const { return m_dialogShown; }
    // The dialog's texts in the interface language; the title is empty while nothing is pending.
    QString title() const;
    QString message() const;
    QString confirmLabel() const;
    QString alwaysLabel() const;
    QString cancelLabel() const;

private:
    Skin m_skin;
    ProcessTerminator& m_terminator;
    Preauthorization m_preauthorization;
    std::function<void()> m_onTerminated;
    std::optional<Pending> m_pending;
    bool m_dialogShown = false;
};

// The diagnostics card's terminate request for a finding's process.
class FindingTerminationFlow {
public:
    FindingTerminationFlow(ProcessTerminator& terminator, Preauthorization preauthorization);

    void request(qint32 pid, const QString& processName);
    void kill();
    void confirmAlways();
    void cancel();

    const std::optional<TerminationFlow::Pending>& pending() const { return m_pending; }
    bool dialogShown() const { return m_dialogShown; }
    QString title() const;

private:
    ProcessTerminator& m_terminator;
    Preauthorization m_preauthorization;
    std::optional<TerminationFlow::Pending> m_pending;
    bool m_dialogShown = false;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/DelayedCall.h"
#include "platform/ProcessInfo.h"

#include <QStringList>

#include <optional>

namespace corvanite {

// Ends processes the user chose: SIGTERM first, and SIGKILL three seconds later only when the
// very same process (same pid, same start tick) is still there and has not ended. Main thread
// only.
class ProcessTerminator {
public:
    static const QStringList& protectedNames();

    ProcessTerminator(ProcessInfo& info, ProcessSignals& signaller, DelayedCall later);

    static ProcessTerminator& shared();

    // Whether the terminate action is offered for this process: not for a protected name, this
    // application, a kernel thread or a zombie.
    bool isKillable(qint32 pid, const QString& name) const;
    // True when SIGTERM was delivered; the escalation check is then scheduled. With
    // `expectedStartTicks` (the start the caller saw), a pid now held by a process started at
    // another tick gets no signal.
    bool terminate(qint32 pid, std::optional<quint64> expectedStartTicks = std::nullopt);

private:
    void escalate(qint32 pid, std::optional<quint64> startTicks);

    ProcessInfo& m_info;
    ProcessSignals& m_signals;
    DelayedCall m_later;
};

} // namespace corvanite

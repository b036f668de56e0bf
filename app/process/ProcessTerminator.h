// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/DelayedCall.h"
#include "platform/ProcessInfo.h"

#include <QStringList>

namespace corvanite {

// Ends processes the user chose: SIGTERM first, and SIGKILL three seconds later only when the
// very same process (same pid, same start time) is still there. Main thread only.
class ProcessTerminator {
public:
    static const QStringList& protectedNames();

    ProcessTerminator(ProcessInfo& info, ProcessSignals& signaller, DelayedCall later);

    static ProcessTerminator& shared();

    // Whether the terminate action is offered for this process.
    bool isKillable(qint32 pid, const QString& name) const;
    // True when SIGTERM was delivered; the escalation check is then scheduled.
    bool terminate(qint32 pid);

private:
    void escalate(qint32 pid, std::optional<quint64> startTime);

    ProcessInfo& m_info;
    ProcessSignals& m_signals;
    DelayedCall m_later;
};

} // namespace corvanite

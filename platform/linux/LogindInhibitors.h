// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PowerAssertions.h"

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace corvanite {

// The login manager's inhibitor locks as power assertions: only locks that block (not those
// that merely delay) count; "sleep" becomes "PreventSystemSleep", "idle"
// "PreventUserIdleSystemSleep", any other kind keeps its own name. "Process Name" is the holder's
// process name from `root`/proc. One list call per query, with a short timeout: the query runs
// inside a sampling pass.
class LogindInhibitors final : public PowerAssertions {
public:
    // Without a bus of its own the system bus is used, connected on the first query.
    explicit LogindInhibitors(QString root = QStringLiteral("/"),
                              std::optional<QDBusConnection> bus = std::nullopt,
                              int timeoutMs = 500);
    std::optional<QList<ProcessAssertionEntry>> assertionsByProcess() override;

private:
    std::optional<QDBusConnection> m_bus;
    const QString m_root;
    const int m_timeoutMs;
};

} // namespace corvanite

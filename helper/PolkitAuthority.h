// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

namespace corvanite {

// Asks polkit whether a bus client may use an action. The executable check alone is weak on
// Linux (anyone can run the real program under LD_PRELOAD or a debugger), so the daemon also
// wants the caller to be the user of an active local session, which polkit knows.
class PolkitAuthority {
public:
    explicit PolkitAuthority(QDBusConnection bus, int timeoutMs = 10000)
        : m_bus(std::move(bus))
        , m_timeoutMs(timeoutMs)
    {
    }

    // CheckAuthorization for the caller's bus name, without interaction. No authority on the
    // bus, an error or a challenge all answer false.
    bool isAuthorized(const QString& busName, const QString& actionId) const;

private:
    QDBusConnection m_bus;
    int m_timeoutMs;
};

} // namespace corvanite

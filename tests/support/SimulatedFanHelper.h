// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/PrivateBus.h"

#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <sys/types.h>

namespace corvanite::test {

// The built fan daemon, activated by a private bus on the first call to its name, over a
// simulated SMC kept in a file the test stages and reads back. For tests that stop clients and
// the daemon itself the hard way.
class SimulatedFanHelper {
public:
    // `program`: the corvanite-helper to run.
    SimulatedFanHelper(const QJsonObject& machine, const QString& program);
    ~SimulatedFanHelper();

    bool isRunning() const { return m_bus && m_bus->isRunning(); }
    QString busError() const { return m_bus ? m_bus->error() : QString(); }
    QString address() const { return m_bus->address(); }
    QString statePath() const { return m_dir.filePath(QStringLiteral("smc.json")); }

    // Starts the daemon (if the bus has not yet) and returns its pid, 0 when it did not come up.
    pid_t start();
    pid_t pid() const { return m_pid; }
    // True once the daemon's process is gone (reaped or a zombie).
    bool hasEnded() const;

    QJsonObject state() const;
    int mode(int fan) const; // -1 when the key is absent
    double target(int fan) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PrivateBus> m_bus;
    pid_t m_pid = 0;
};

} // namespace corvanite::test

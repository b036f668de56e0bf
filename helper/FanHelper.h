// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/FanHelperProtocol.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

namespace corvanite {

class Clock;
class FanOperations;

// The daemon's one service object: the five operations and the watchdog that hands the fans
// back when the client goes quiet or the CPU reaches its safety limit. It lives on the control
// thread, so operations and watchdog ticks run one at a time and a release never interleaves
// with a forcing write.
//
// The watchdog timer runs only while the fans are forced: an idle daemon never wakes up.
class FanHelper : public QObject {
    Q_OBJECT
public:
    static constexpr const char* version = fanHelperVersion;
    static constexpr int watchdogIntervalMs = 2000;
    static constexpr double heartbeatTimeout = 6.0;
    static constexpr double cpuSafetyLimit = 100.0;

    FanHelper(const FanOperations& fans, const Clock& clock, QObject* parent = nullptr);

    QString getVersion() const;
    QByteArray readFans() const;
    bool setFanFloor(qint64 rpm);
    bool releaseControl();
    void heartbeat();

    // One watchdog tick; the timer calls it, tests call it directly with a fake clock.
    void watchdogTick();

    bool isForcing() const { return m_forcing; }
    bool isWatchdogRunning() const { return m_watchdog.isActive(); }

private:
    void releaseAll();

    const FanOperations& m_fans;
    const Clock& m_clock;
    // Monotonic seconds: a wall-clock step backwards must not keep the fans forced for good.
    double m_lastHeartbeat;
    bool m_forcing = false;
    QTimer m_watchdog;
};

} // namespace corvanite

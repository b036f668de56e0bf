// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/FanHelper.h"

#include "helper/FanOperations.h"
#include "helper/SystemLog.h"
#include "platform/Clock.h"

namespace corvanite {

FanHelper::FanHelper(const FanOperations& fans, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_fans(fans)
    , m_clock(clock)
    , m_lastHeartbeat(clock.monotonic())
    , m_watchdog(this)
{
    m_watchdog.setInterval(watchdogIntervalMs);
    connect(&m_watchdog, &QTimer::timeout, this, &FanHelper::watchdogTick);
}

QString FanHelper::getVersion() const
{
    return QString::fromLatin1(version);
}

QByteArray FanHelper::readFans() const
{
    return FanReading::encodeList(m_fans.readAllFans());
}

bool FanHelper::setFanFloor(qint64 rpm)
{
    m_lastHeartbeat = m_clock.monotonic();
    if (m_fans.maxCPUTemp() >= cpuSafetyLimit) {
        releaseAll();
        return false;
    }
    const bool result = m_fans.forceAllFans(rpm);
    m_forcing = true;
    if (!m_watchdog.isActive())
        m_watchdog.start();
    return result;
}

bool FanHelper::releaseControl()
{
    releaseAll();
    return true;
}

void FanHelper::heartbeat()
{
    m_lastHeartbeat = m_clock.monotonic();
}

void FanHelper::watchdogTick()
{
    if (!m_forcing)
        return;
    const double silence = m_clock.monotonic() - m_lastHeartbeat;
    if (silence > heartbeatTimeout) {
        SystemLog::write(
            QString::asprintf("helper: heartbeat missing for %.0fs; releasing control", silence));
        releaseAll();
        return;
    }
    if (m_fans.maxCPUTemp() >= cpuSafetyLimit) {
        SystemLog::write(
            QStringLiteral("helper: CPU reached the safety limit; returning control to macOS"));
        releaseAll();
    }
}

void FanHelper::releaseAll()
{
    m_fans.releaseAllFans();
    m_forcing = false;
    m_watchdog.stop();
}

} // namespace corvanite

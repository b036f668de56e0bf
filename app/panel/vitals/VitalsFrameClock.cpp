// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsFrameClock.h"

#include <QTimer>

namespace corvanite {

VitalsFrameClock::VitalsFrameClock(QObject* parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(kFrameMs);
    connect(m_timer, &QTimer::timeout, this, &VitalsFrameClock::frame);
}

void VitalsFrameClock::hold(const QObject* who)
{
    m_holders.insert(who);
    if (!m_timer->isActive())
        m_timer->start();
}

void VitalsFrameClock::release(const QObject* who)
{
    m_holders.remove(who);
    if (m_holders.isEmpty())
        m_timer->stop();
}

bool VitalsFrameClock::isRunning() const
{
    return m_timer->isActive();
}

} // namespace corvanite

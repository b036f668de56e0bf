// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/PressureMonitor.h"

#include "app/base/Log.h"

#include <QSocketNotifier>

namespace corvanite {

PressureMonitor::PressureMonitor(std::unique_ptr<MemoryPressureSource> source,
                                 TriggerFactory openTrigger, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_openTrigger(std::move(openTrigger))
{
}

PressureMonitor::~PressureMonitor() = default;

void PressureMonitor::start()
{
    if (m_started)
        return;
    m_started = true;
    if (m_openTrigger)
        m_trigger = m_openTrigger();
    if (m_trigger) {
        m_notifier = new QSocketNotifier(m_trigger->descriptor(), QSocketNotifier::Exception, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PressureMonitor::onTrigger);
    }
}

void PressureMonitor::setCulpritCapture(std::function<void(PressureLevel)> capture)
{
    m_captureCulprits = std::move(capture);
}

void PressureMonitor::onTrigger()
{
    if (!m_source)
        return;
    if (const auto reading = m_source->readMemoryPressure())
        if (const auto level = pressureLevelFor(*reading))
            update(*level);
}

void PressureMonitor::update(PressureLevel newLevel)
{
    if (!m_started || newLevel == m_level)
        return;
    const PressureLevel old = m_level;
    Log::debug(QStringLiteral("Memory pressure changed: %1 → %2")
                   .arg(pressureLevelName(old), pressureLevelName(newLevel)));
    if (newLevel > old && m_captureCulprits)
        m_captureCulprits(newLevel);
    m_level = newLevel;
    Q_EMIT levelChanged();
}

} // namespace corvanite

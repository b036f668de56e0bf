// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/AlarmPulse.h"

#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsFrameClock.h"
#include "platform/Clock.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace corvanite {

AlarmPulse::AlarmPulse(VitalsFrameClock& frames, const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , m_frames(&frames)
    , m_clock(clock)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Nothing behind shows through: a frame repaints this widget alone.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&frames, &VitalsFrameClock::frame, this, [this] {
        if (m_running)
            step();
    });
    connect(this, &QObject::destroyed, &frames,
            [&frames, who = static_cast<QObject*>(this)] { frames.release(who); });
}

double AlarmPulse::opacityAt(qint64 ms)
{
    const qint64 half = ms / kHalfCycleMs;
    double t = static_cast<double>(ms % kHalfCycleMs) / kHalfCycleMs;
    if (half % 2 == 1)
        t = 1 - t; // on the way back
    const double eased = t < 0.5 ? 2 * t * t : 1 - std::pow(-2 * t + 2, 2) / 2;
    return kDim + (kBright - kDim) * eased;
}

QColor AlarmPulse::tintAt(qint64 ms)
{
    // A plain fill of the blended colour rather than a blend: the same pixels, less work.
    const double a = opacityAt(ms);
    const QColor screen = VitalsTheme::screen;
    const QColor alarm = VitalsTheme::alarm;
    const auto mix = [a](int under, int over) { return qRound(under + (over - under) * a); };
    return QColor(mix(screen.red(), alarm.red()), mix(screen.green(), alarm.green()),
                  mix(screen.blue(), alarm.blue()));
}

bool AlarmPulse::isRunning() const
{
    return m_running;
}

qint64 AlarmPulse::elapsedMs() const
{
    return m_start ? qRound64((m_clock.monotonic() - *m_start) * 1000) : 0;
}

double AlarmPulse::opacity() const
{
    return opacityAt(elapsedMs());
}

void AlarmPulse::showEvent(QShowEvent*)
{
    if (!m_start)
        m_start = m_clock.monotonic(); // the pulse starts when the row is first shown
    m_running = true;
    if (m_frames)
        m_frames->hold(this);
}

void AlarmPulse::hideEvent(QHideEvent*)
{
    m_running = false;
    if (m_frames)
        m_frames->release(this);
}

void AlarmPulse::step()
{
    const qint64 ms = elapsedMs();
    m_bright = (ms / kHalfCycleMs) % 2 == 0;
    // Near the turns the tint moves less than one colour step between frames.
    if (tintAt(ms) != m_shown)
        update();
}

void AlarmPulse::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_shown = tintAt(elapsedMs());
    painter.fillRect(rect(), m_shown);
    if (m_foreground)
        m_foreground(painter, event->region());
}

} // namespace corvanite

#include "app/panel/vitals/AlarmPulse.h"

#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsFrameClock.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace corvanite {

AlarmPulse::AlarmPulse(VitalsFrameClock& clock, QWidget* parent)
    : QWidget(parent)
    , m_frames(&clock)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Nothing behind shows through: a frame repaints this widget alone.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&clock, &VitalsFrameClock::frame, this, [this] {
        if (m_running)
            step();
    });
    connect(this, &QObject::destroyed, &clock,
            [&clock, who = static_cast<QObject*>(this)] { clock.release(who); });
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

bool AlarmPulse::isRunning() const
{
    return m_running;
}

double AlarmPulse::opacity() const
{
    return m_clock.isValid() ? opacityAt(m_clock.elapsed()) : kDim;
}

void AlarmPulse::showEvent(QShowEvent*)
{
    if (!m_clock.isValid())
        m_clock.start(); // the pulse starts when the row is first shown
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
    m_bright = (m_clock.elapsed() / kHalfCycleMs) % 2 == 0;
    update();
}

void AlarmPulse::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    // The tint over the black screen as one opaque colour: a plain fill, not a blend.
    const double a = opacity();
    const QColor screen = VitalsTheme::screen;
    const QColor alarm = VitalsTheme::alarm;
    const auto mix = [a](int under, int over) { return qRound(under + (over - under) * a); };
    painter.fillRect(rect(),
                     QColor(mix(screen.red(), alarm.red()), mix(screen.green(), alarm.green()),
                            mix(screen.blue(), alarm.blue())));
    if (m_foreground)
        m_foreground(painter, event->region());
}

} // namespace corvanite

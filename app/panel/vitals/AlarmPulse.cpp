#include "app/panel/vitals/AlarmPulse.h"

#include "app/panel/VitalsTheme.h"

#include <QPainter>
#include <QTimer>

#include <cmath>

namespace corvanite {

namespace {
// A slow change of a faint tint needs no more than 25 frames a second.
constexpr int kFrameMs = 40;
} // namespace

AlarmPulse::AlarmPulse(QWidget* parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer->setInterval(kFrameMs);
    connect(m_timer, &QTimer::timeout, this, &AlarmPulse::step);
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
    return m_timer->isActive();
}

double AlarmPulse::opacity() const
{
    return m_clock.isValid() ? opacityAt(m_clock.elapsed()) : kDim;
}

void AlarmPulse::showEvent(QShowEvent*)
{
    if (!m_clock.isValid())
        m_clock.start(); // the pulse starts when the row is first shown
    m_timer->start();
}

void AlarmPulse::hideEvent(QHideEvent*)
{
    m_timer->stop();
}

void AlarmPulse::step()
{
    m_bright = (m_clock.elapsed() / kHalfCycleMs) % 2 == 0;
    update();
}

void AlarmPulse::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor c = VitalsTheme::alarm;
    c.setAlphaF(static_cast<float>(opacity()));
    painter.fillRect(rect(), c);
}

} // namespace corvanite

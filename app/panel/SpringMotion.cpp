// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/SpringMotion.h"

#include <cmath>

namespace corvanite {

SpringMotion::SpringMotion(double response, double damping)
    : m_omega(2 * M_PI / response)
    , m_damping(damping)
{
    // The swing decays with exp(-damping * omega * t), scaled by the damped-frequency factor.
    const double envelope = 1 / std::sqrt(1 - damping * damping);
    m_settleMs =
        static_cast<int>(std::ceil(std::log(1000 * envelope) / (damping * m_omega) * 1000));
}

double SpringMotion::at(double fraction) const
{
    if (fraction >= 1)
        return 1;
    if (fraction <= 0)
        return 0;
    const double t = fraction * m_settleMs / 1000.0;
    const double decay = m_damping * m_omega;
    const double omegaD = m_omega * std::sqrt(1 - m_damping * m_damping);
    return 1 -
           std::exp(-decay * t) * (std::cos(omegaD * t) + decay / omegaD * std::sin(omegaD * t));
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace corvanite {

// A damped spring given as response (the period of the undamped swing) and damping fraction,
// sampled over the time it needs to settle so that a plain linear animation from 0 to 1 can
// drive it and stop as soon as nothing visibly moves any more.
class SpringMotion {
public:
    SpringMotion(double response, double damping);

    // Milliseconds until the remaining swing stays below a thousandth of the distance.
    int settleMs() const { return m_settleMs; }
    // Progress from 0 to 1 (a hair above 1 on the overshoot) at `fraction` of the settle time;
    // exactly 1 at the end.
    double at(double fraction) const;

private:
    double m_omega;
    double m_damping;
    int m_settleMs;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

namespace corvanite {

class SMC;

namespace FanReader {

inline constexpr int maxFans = 10;

// The actual RPM of each fan that answered, in fan index order; a silent fan is skipped.
QList<double> readFanSpeeds(SMC& smc);

} // namespace FanReader

} // namespace corvanite

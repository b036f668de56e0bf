// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/FanReader.h"

#include "app/sampling/SMC.h"

#include <cstdio>

namespace corvanite {

QList<double> FanReader::readFanSpeeds(SMC& smc)
{
    QList<double> speeds;
    char key[8];
    for (int i = 0; i < maxFans; ++i) {
        std::snprintf(key, sizeof key, "F%dAc", i);
        if (const std::optional<double> rpm = smc.readValue(key))
            speeds.append(*rpm);
    }
    return speeds;
}

} // namespace corvanite

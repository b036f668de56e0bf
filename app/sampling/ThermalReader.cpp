// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ThermalReader.h"

#include "app/sampling/SMC.h"

#include <algorithm>

namespace corvanite {

namespace {

template <std::size_t N>
std::optional<double> hottest(SMC& smc, const std::array<std::string_view, N>& keys)
{
    std::optional<double> best;
    for (const std::string_view key : keys) {
        const std::optional<double> value = smc.readValue(key);
        if (value && (!best || *value > *best))
            best = value;
    }
    return best;
}

} // namespace

ThermalSample ThermalReader::read(SMC& smc)
{
    ThermalSample sample;
    sample.cpuC = hottest(smc, cpuKeys);
    sample.gpuC = hottest(smc, gpuKeys);
    sample.batteryC = smc.readValue(batteryKey);
    sample.surfaceC = hottest(smc, surfaceKeys);
    return sample;
}

} // namespace corvanite

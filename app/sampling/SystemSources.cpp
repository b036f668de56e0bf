// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SystemSources.h"

#include "app/sampling/EmptySources.h"

namespace corvanite {

void SystemSources::fillMissingWithEmpty()
{
    const auto fill = [](auto& member, auto make) {
        if (!member)
            member = make();
    };
    fill(cpu, [] { return std::make_unique<EmptyCpuTicksSource>(); });
    fill(memory, [] { return std::make_unique<EmptyMemoryStatsSource>(); });
    fill(network, [] { return std::make_unique<EmptyNetworkCountersSource>(); });
    fill(volume, [] { return std::make_unique<EmptyVolumeSource>(); });
    fill(bootTime, [] { return std::make_unique<EmptyBootTimeSource>(); });
    fill(processes, [] { return std::make_unique<EmptyProcessTable>(); });
    fill(sensors, [] { return std::make_unique<EmptySensorSource>(); });
    fill(gpu, [] { return std::make_unique<EmptyGpuSource>(); });
    fill(battery, [] { return std::make_unique<EmptyBatterySource>(); });
    fill(assertions, [] { return std::make_unique<EmptySleepAssertionSource>(); });
    fill(energy, [] { return std::make_unique<EmptyEnergySource>(); });
    fill(pressure, [] { return std::make_unique<EmptyMemoryPressureSource>(); });
}

} // namespace corvanite

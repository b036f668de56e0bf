#include "platform/SystemSources.h"

#include "platform/EmptySources.h"
#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/LinuxVolume.h"

namespace corvanite {

SystemSources SystemSources::forThisMachine(const QString& root)
{
    SystemSources sources;
    sources.cpu = std::make_unique<LinuxCpuTicks>(root);
    sources.memory = std::make_unique<LinuxMemoryStats>(root);
    sources.network = std::make_unique<LinuxNetworkCounters>(root);
    sources.volume = std::make_unique<LinuxVolume>();
    sources.bootTime = std::make_unique<LinuxBootTime>(root);
    // Process table, sensors, GPU, battery, sleep assertions and energy rows are not read on
    // Linux yet; until they are, the engine sees a machine without them.
    sources.fillMissingWithEmpty();
    return sources;
}

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
}

} // namespace corvanite

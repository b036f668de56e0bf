#include "app/shell/MachineSources.h"

#include "app/sampling/EnergyReader.h"
#include "platform/Clock.h"
#include "platform/linux/CgroupEnergyCounters.h"
#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/LinuxProcessTable.h"
#include "platform/linux/LinuxVolume.h"

namespace corvanite {

SystemSources machineSources(const QString& root)
{
    SystemSources sources;
    sources.cpu = std::make_unique<LinuxCpuTicks>(root);
    sources.memory = std::make_unique<LinuxMemoryStats>(root);
    sources.network = std::make_unique<LinuxNetworkCounters>(root);
    sources.volume = std::make_unique<LinuxVolume>();
    sources.bootTime = std::make_unique<LinuxBootTime>(root);
    sources.processes = std::make_unique<LinuxProcessTable>(root);
    sources.energy = std::make_unique<EnergyReader>(std::make_unique<CgroupEnergyCounters>(root),
                                                    Clock::system());
    sources.fillMissingWithEmpty();
    return sources;
}

} // namespace corvanite

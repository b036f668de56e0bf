#include "app/shell/MachineSources.h"

#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
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
    sources.fillMissingWithEmpty();
    return sources;
}

} // namespace corvanite

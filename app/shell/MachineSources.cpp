// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/MachineSources.h"

#include "app/sampling/EnergyReader.h"
#include "platform/Clock.h"
#include "platform/linux/CgroupEnergyCounters.h"
#include "app/sampling/AssertionsReader.h"
#include "app/sampling/BatteryReader.h"
#include "app/sampling/GPUReader.h"
#include "app/sampling/SMC.h"
#include "app/sampling/SmcSensors.h"
#include "platform/linux/HwmonSmc.h"
#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxGpuRegistry.h"
#include "platform/linux/LinuxMemoryPressure.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/LinuxProcessTable.h"
#include "platform/linux/LinuxPowerSupply.h"
#include "platform/linux/LinuxVolume.h"
#include "platform/linux/LogindInhibitors.h"

#include <QDir>

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
    // The running machine's controller connection is the process-wide one the fan controller
    // also reads through; another root gets one of its own.
    const bool isMachine = QDir::cleanPath(root) == QLatin1String("/");
    sources.sensors =
        isMachine
            ? std::make_unique<SmcSensors>(SMC::shared())
            : std::make_unique<SmcSensors>(std::make_unique<SMC>(std::make_unique<HwmonSmc>(root)));
    sources.gpu = std::make_unique<GPUReader>(std::make_unique<LinuxGpuRegistry>(
        root, isMachine ? QByteArrayLiteral("libnvidia-ml.so.1") : QByteArray()));
    sources.battery = std::make_unique<BatteryReader>(std::make_unique<LinuxPowerSupply>(root));
    sources.assertions =
        std::make_unique<AssertionsReader>(std::make_unique<LogindInhibitors>(root));
    sources.pressure = std::make_unique<LinuxMemoryPressure>(root, false);
    sources.fillMissingWithEmpty();
    return sources;
}

} // namespace corvanite

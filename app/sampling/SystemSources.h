// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/DeviceSources.h"
#include "platform/BootTime.h"
#include "platform/CpuTicks.h"
#include "platform/MemoryPressure.h"
#include "platform/MemoryStats.h"
#include "platform/NetworkCounters.h"
#include "platform/ProcessTable.h"
#include "platform/VolumeSpace.h"

#include <QString>

#include <memory>

namespace corvanite {

// Everything the sampling engine reads the machine through. The engine owns the bundle; every
// member except bootTime is used on the sampling thread only, one pass at a time.
struct SystemSources {
    std::unique_ptr<CpuTicksSource> cpu;
    std::unique_ptr<MemoryStatsSource> memory;
    std::unique_ptr<NetworkCountersSource> network;
    std::unique_ptr<VolumeSource> volume;
    std::unique_ptr<BootTimeSource> bootTime; // main thread, when sampling starts
    std::unique_ptr<ProcessTable> processes;
    std::unique_ptr<SensorSource> sensors;
    std::unique_ptr<GpuSource> gpu;
    std::unique_ptr<BatterySource> battery;
    std::unique_ptr<SleepAssertionSource> assertions;
    std::unique_ptr<EnergySource> energy;
    std::unique_ptr<MemoryPressureSource> pressure;

    // Replaces every missing member with a source that yields the empty reading.
    void fillMissingWithEmpty();
};

} // namespace corvanite

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

// Sources that answer as a machine without the facility would: every reading absent or empty.
// The device and process sources stand in for readings this build does not take yet.

namespace corvanite {

class EmptyCpuTicksSource final : public CpuTicksSource {
public:
    void read(CpuTicksReading& into) override
    {
        into.host.reset();
        into.cores.clear();
    }
};

class EmptyMemoryStatsSource final : public MemoryStatsSource {
public:
    std::optional<MemoryStats> readMemoryStats() override { return std::nullopt; }
};

class EmptyNetworkCountersSource final : public NetworkCountersSource {
public:
    std::optional<NetworkTotals> readNetworkBytes() override { return std::nullopt; }
};

class EmptyVolumeSource final : public VolumeSource {
public:
    std::optional<VolumeSpace> readHomeVolume() override { return std::nullopt; }
};

class EmptyBootTimeSource final : public BootTimeSource {
public:
    std::optional<double> readBootTime() override { return std::nullopt; }
};

class EmptyProcessTable final : public ProcessTable {
public:
    std::vector<RawProcess> readProcessesRaw(QHash<qint32, QString>&) override { return {}; }
};

class EmptySensorSource final : public SensorSource {
public:
    ThermalSample readTemperatures() override { return {}; }
    QList<double> readFanSpeeds() override { return {}; }
};

class EmptyGpuSource final : public GpuSource {
public:
    std::optional<GPUSample> read() override { return std::nullopt; }
};

class EmptyBatterySource final : public BatterySource {
public:
    std::optional<BatterySample> read() override { return std::nullopt; }
};

class EmptySleepAssertionSource final : public SleepAssertionSource {
public:
    AssertionMap readSleepBlockers() override { return {}; }
};

class EmptyMemoryPressureSource final : public MemoryPressureSource {
public:
    std::optional<PressureReading> readMemoryPressure() override { return std::nullopt; }
};

class EmptyEnergySource final : public EnergySource {
public:
    QList<ProcessSample> aggregatedRows(const QList<ProcessSample>&) override { return {}; }
};

} // namespace corvanite

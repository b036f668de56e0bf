// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/SystemSources.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

// Scripted stand-ins for the machine, for driving the sampling engine in tests. A test sets the
// values between passes (never while one is in flight) and reads the call counters afterwards.

namespace corvanite::test {

class FakeCpuTicks final : public CpuTicksSource {
public:
    std::optional<CpuTicks> host = CpuTicks{};
    std::vector<CoreTicks> cores;
    std::atomic<int> calls{0};
    // Where the destructor leaves the final count, for tests whose monitor owns (and destroys)
    // this fake before they can read it.
    int* callsAtDestruction = nullptr;
    ~FakeCpuTicks() override
    {
        if (callsAtDestruction)
            *callsAtDestruction = calls.load();
    }

    // Blocks read() until release(); `entered` turns true once a read is waiting.
    void holdNextRead();
    void release();
    bool entered() const { return m_entered; }

    void read(CpuTicksReading& into) override;

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_hold = false;
    std::atomic<bool> m_entered{false};
};

class FakeMemoryStats final : public MemoryStatsSource {
public:
    std::optional<MemoryStats> stats;
    std::optional<MemoryStats> readMemoryStats() override { return stats; }
};

class FakeNetworkCounters final : public NetworkCountersSource {
public:
    std::optional<NetworkTotals> totals = NetworkTotals{};
    std::optional<NetworkTotals> readNetworkBytes() override { return totals; }
};

class FakeVolume final : public VolumeSource {
public:
    std::optional<VolumeSpace> space;
    std::atomic<int> calls{0};
    std::optional<VolumeSpace> readHomeVolume() override
    {
        ++calls;
        return space;
    }
};

class FakeBootTime final : public BootTimeSource {
public:
    std::optional<double> bootTime;
    std::optional<double> readBootTime() override { return bootTime; }
};

class FakeProcessTable final : public ProcessTable {
public:
    std::vector<RawProcess> processes;
    std::atomic<int> calls{0};
    std::vector<RawProcess> readProcessesRaw(QHash<qint32, QString>& nameCache) override;
};

class FakeSensors final : public SensorSource {
public:
    ThermalSample thermal;
    QList<double> fanSpeeds;
    std::atomic<int> temperatureCalls{0};
    std::atomic<int> fanCalls{0};
    ThermalSample readTemperatures() override
    {
        ++temperatureCalls;
        return thermal;
    }
    QList<double> readFanSpeeds() override
    {
        ++fanCalls;
        return fanSpeeds;
    }
};

class FakeGpu final : public GpuSource {
public:
    std::optional<GPUSample> sample;
    std::atomic<int> calls{0};
    std::optional<GPUSample> read() override
    {
        ++calls;
        return sample;
    }
};

class FakeBattery final : public BatterySource {
public:
    std::optional<BatterySample> sample;
    std::optional<BatterySample> read() override { return sample; }
};

class FakeSleepAssertions final : public SleepAssertionSource {
public:
    AssertionMap blockers;
    std::atomic<int> calls{0};
    AssertionMap readSleepBlockers() override
    {
        ++calls;
        return blockers;
    }
};

class FakeEnergy final : public EnergySource {
public:
    QList<ProcessSample> rows;
    std::atomic<int> calls{0};
    QList<ProcessSample> aggregatedRows(const QList<ProcessSample>&) override
    {
        ++calls;
        return rows;
    }
};

class FakeMemoryPressure final : public MemoryPressureSource {
public:
    std::optional<PressureReading> reading;
    std::optional<PressureReading> readMemoryPressure() override { return reading; }
};

// One fake of each source. sources() hands them over as a bundle (once); the pointers stay
// valid for as long as the bundle's owner lives.
class FakeSystem {
public:
    FakeSystem();
    SystemSources sources();

    FakeCpuTicks* cpu;
    FakeMemoryStats* memory;
    FakeNetworkCounters* network;
    FakeVolume* volume;
    FakeBootTime* bootTime;
    FakeProcessTable* processes;
    FakeSensors* sensors;
    FakeGpu* gpu;
    FakeBattery* battery;
    FakeSleepAssertions* assertions;
    FakeEnergy* energy;
    FakeMemoryPressure* pressure;

private:
    SystemSources m_bundle;
};

} // namespace corvanite::test

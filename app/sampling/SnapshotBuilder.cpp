// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SnapshotBuilder.h"

#include "app/sampling/LightReadings.h"
#include "platform/Clock.h"

namespace corvanite {

SnapshotBuilder::SnapshotBuilder(SystemSources& sources, const Clock& clock)
    : m_sources(sources)
    , m_clock(clock)
{
}

CPUSample SnapshotBuilder::readCpu()
{
    m_sources.cpu->read(m_cpuReading);
    CPUSample cpu;
    cpu.total = hostCpuStep(m_cpuReading.host, m_prevCPU);
    cpu.perCore = perCoreUsage(m_prevPerCore, m_cpuReading.cores);
    // The latest per-core table becomes the baseline even when empty, so a failed read is never
    // compared with a stale one. Swapping keeps both vectors' storage for the next pass.
    std::swap(m_prevPerCore, m_cpuReading.cores);
    return cpu;
}

Snapshot SnapshotBuilder::build(const PassFlags& flags, const QList<ProcessSample>& lastProcesses)
{
    // Intervals use the monotonic clock: a wall-clock change must not turn into a rate.
    const double now = m_clock.monotonic();
    const double elapsed = m_lastSampleTime > 0.0 ? now - m_lastSampleTime : 0.0;
    m_lastSampleTime = now;

    Snapshot snapshot;
    snapshot.cpu = readCpu();
    const std::optional<MemoryStats> memory = m_sources.memory->readMemoryStats();
    if (memory)
        snapshot.memory = memorySample(memory->vm, memory->pageSize, memory->physicalMemory);
    // The stall averages come from the pressure source, the available share from the memory
    // statistics just read.
    PressureReading pressure = m_sources.pressure->readMemoryPressure().value_or(PressureReading{});
    if (memory && memory->availableBytes && memory->physicalMemory > 0) {
        pressure.availableBytes = memory->availableBytes;
        pressure.totalBytes = memory->physicalMemory;
    }
    snapshot.memoryPressure = pressureLevelFor(pressure);
    snapshot.network = networkStep(m_sources.network->readNetworkBytes(), m_prevNet, elapsed);

    if (flags.scanProcesses) {
        ProcessScanner::Result scanned = m_scanner.scan(now, *m_sources.processes);
        snapshot.processes = std::move(scanned.processes);
        snapshot.livePids = std::move(scanned.livePids);
    } else {
        snapshot.processes = lastProcesses;
        if (!lastProcesses.isEmpty())
            snapshot.livePids.reserve(lastProcesses.size());
        for (const ProcessSample& process : lastProcesses)
            snapshot.livePids.insert(process.pid);
    }

    if (flags.collectAssertions)
        snapshot.assertions = m_sources.assertions->readSleepBlockers();

    if (flags.heavySampling) {
        const VolumeSpace volume = m_sources.volume->readHomeVolume().value_or(VolumeSpace{});
        m_heavyCache.diskFree = volume.freeBytes;
        m_heavyCache.diskTotal = volume.totalBytes;
        m_heavyCache.fans = m_sources.sensors->readFanSpeeds();
        m_heavyCache.thermal = m_sources.sensors->readTemperatures();
        m_heavyCache.battery = m_sources.battery->read().value_or(BatterySample{});
        snapshot.gpu = m_sources.gpu->read();
        if (flags.scanProcesses)
            snapshot.energyRows = m_sources.energy->aggregatedRows(snapshot.processes);
        snapshot.gpuCollected = true;
        snapshot.tempFresh = true;
    } else {
        if (flags.collectTemp)
            m_heavyCache.thermal = m_sources.sensors->readTemperatures();
        snapshot.tempFresh = flags.collectTemp;
    }
    snapshot.diskFree = m_heavyCache.diskFree;
    snapshot.diskTotal = m_heavyCache.diskTotal;
    snapshot.fans = m_heavyCache.fans;
    snapshot.thermal = m_heavyCache.thermal;
    snapshot.battery = m_heavyCache.battery;
    snapshot.processesScanned = flags.scanProcesses;
    return snapshot;
}

} // namespace corvanite

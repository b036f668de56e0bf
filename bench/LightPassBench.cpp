// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the light pass every tick pays: CPU total and per core, memory and network, read from
// this machine's /proc and turned into a snapshot. Budget: 25 µs.

#include "app/sampling/SnapshotBuilder.h"
#include "app/sampling/SystemSources.h"
#include "app/shell/MachineSources.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/ProcFile.h"

#include "bench/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>

using namespace corvanite;

static void countAllocations(benchmark::State& state, long before)
{
    state.counters["allocs/pass"] = benchmark::Counter(static_cast<double>(s_allocations - before),
                                                       benchmark::Counter::kAvgIterations);
}

static void LightPass(benchmark::State& state)
{
    SystemSources sources = machineSources();
    SnapshotBuilder builder(sources, Clock::system());
    const PassFlags light;
    const QList<ProcessSample> noProcesses;
    builder.build(light, noProcesses); // first pass sizes the buffers
    const long before = s_allocations;
    for (auto _ : state)
        benchmark::DoNotOptimize(builder.build(light, noProcesses));
    countAllocations(state, before);
}
BENCHMARK(LightPass);

static void ReadCpuTicks(benchmark::State& state)
{
    LinuxCpuTicks source;
    CpuTicksReading reading;
    source.read(reading);
    const long before = s_allocations;
    for (auto _ : state) {
        source.read(reading);
        benchmark::DoNotOptimize(reading.cores.data());
    }
    countAllocations(state, before);
}
BENCHMARK(ReadCpuTicks);

static void ReadMemoryStats(benchmark::State& state)
{
    LinuxMemoryStats source;
    const long before = s_allocations;
    for (auto _ : state)
        benchmark::DoNotOptimize(source.readMemoryStats());
    countAllocations(state, before);
}
BENCHMARK(ReadMemoryStats);

static void ReadNetworkBytes(benchmark::State& state)
{
    LinuxNetworkCounters source;
    source.readNetworkBytes();
    const long before = s_allocations;
    for (auto _ : state)
        benchmark::DoNotOptimize(source.readNetworkBytes());
    countAllocations(state, before);
}
BENCHMARK(ReadNetworkBytes);

// Parsing alone, on this machine's current file contents: what the pass adds to the kernel's cost.
static void ParseMeminfo(benchmark::State& state)
{
    const QByteArray text = ProcFile::readOnce("/proc/meminfo");
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(LinuxMemoryStats::parseMeminfo(view));
}
BENCHMARK(ParseMeminfo);

static void ParseStat(benchmark::State& state)
{
    const QByteArray text = ProcFile::readOnce("/proc/stat");
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    CpuTicksReading reading;
    for (auto _ : state) {
        LinuxCpuTicks::parse(view, reading);
        benchmark::DoNotOptimize(reading.cores.data());
    }
}
BENCHMARK(ParseStat);

BENCHMARK_MAIN();

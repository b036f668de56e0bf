// Cost of the light pass every tick pays: CPU total and per core, memory and network, read from
// this machine's /proc and turned into a snapshot. Budget: 25 µs.

#include "platform/Clock.h"
#include "platform/SystemSources.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/ProcFile.h"
#include "sampling/SnapshotBuilder.h"

#include <benchmark/benchmark.h>

using namespace corvanite;

static void LightPass(benchmark::State& state) {
    SystemSources sources = SystemSources::forThisMachine();
    SnapshotBuilder builder(sources, Clock::system());
    const PassFlags light;
    const QList<ProcessSample> noProcesses;
    for (auto _ : state)
        benchmark::DoNotOptimize(builder.build(light, noProcesses));
}
BENCHMARK(LightPass);

static void ReadCpuTicks(benchmark::State& state) {
    LinuxCpuTicks source;
    CpuTicksReading reading;
    for (auto _ : state) {
        source.read(reading);
        benchmark::DoNotOptimize(reading.cores.data());
    }
}
BENCHMARK(ReadCpuTicks);

static void ReadMemoryStats(benchmark::State& state) {
    LinuxMemoryStats source;
    for (auto _ : state)
        benchmark::DoNotOptimize(source.readMemoryStats());
}
BENCHMARK(ReadMemoryStats);

static void ReadNetworkBytes(benchmark::State& state) {
    LinuxNetworkCounters source;
    for (auto _ : state)
        benchmark::DoNotOptimize(source.readNetworkBytes());
}
BENCHMARK(ReadNetworkBytes);

// Parsing alone, on this machine's current file contents: what the pass adds to the kernel's cost.
static void ParseMeminfo(benchmark::State& state) {
    const QByteArray text = ProcFile::readOnce("/proc/meminfo");
    const std::string_view view(text.constData(), static_cast<std::size_t>(text.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(LinuxMemoryStats::parseMeminfo(view));
}
BENCHMARK(ParseMeminfo);

static void ParseStat(benchmark::State& state) {
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

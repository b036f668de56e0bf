// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of a heavy pass's device readings: temperatures and fan speeds through the controller
// keys, the GPU and the battery; on the laptop fixture tree (coretemp, a fan, a skin zone, a
// battery) and on this machine. The key-info cache is warm after the first pass, so a pass is one
// file read per answering key.

#include "app/sampling/SystemSources.h"
#include "app/shell/MachineSources.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

using namespace corvanite;

namespace {

void heavyReadings(benchmark::State& state, const QString& root)
{
    SystemSources sources = machineSources(root);
    // First pass: the backing files are looked up and every key's info is asked once.
    sources.sensors->readTemperatures();
    sources.sensors->readFanSpeeds();
    sources.gpu->read();
    sources.battery->read();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sources.sensors->readTemperatures());
        benchmark::DoNotOptimize(sources.sensors->readFanSpeeds());
        benchmark::DoNotOptimize(sources.gpu->read());
        benchmark::DoNotOptimize(sources.battery->read());
    }
}

void sensorsOnly(benchmark::State& state, const QString& root)
{
    SystemSources sources = machineSources(root);
    sources.sensors->readTemperatures();
    sources.sensors->readFanSpeeds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sources.sensors->readTemperatures());
        benchmark::DoNotOptimize(sources.sensors->readFanSpeeds());
    }
}

const QString kLaptop = QStringLiteral(CORVANITE_FIXTURES "/sensors/laptop");

} // namespace

static void HeavyReadings_LaptopFixture(benchmark::State& state)
{
    heavyReadings(state, kLaptop);
}
BENCHMARK(HeavyReadings_LaptopFixture)->Unit(benchmark::kMicrosecond);

static void Sensors_LaptopFixture(benchmark::State& state)
{
    sensorsOnly(state, kLaptop);
}
BENCHMARK(Sensors_LaptopFixture)->Unit(benchmark::kMicrosecond);

static void HeavyReadings_ThisMachine(benchmark::State& state)
{
    heavyReadings(state, QStringLiteral("/"));
}
BENCHMARK(HeavyReadings_ThisMachine)->Unit(benchmark::kMicrosecond);

static void MemoryPressure_ThisMachine(benchmark::State& state)
{
    SystemSources sources = machineSources(QStringLiteral("/"));
    for (auto _ : state)
        benchmark::DoNotOptimize(sources.pressure->readMemoryPressure());
}
BENCHMARK(MemoryPressure_ThisMachine)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

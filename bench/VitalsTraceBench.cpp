// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What one vitals trace costs on every tick while the panel is open: a new sample arrives and
// the trace's picture is drawn again. Five traces redraw per tick, so at 1 s the five together
// should stay well under 1 ms of CPU (the open panel's whole budget is 5 ms a second).
// CPU is counted for the whole process: Qt's raster engine may hand large fills to its worker
// threads, and that work belongs to the tick.

#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsWaveform.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <random>

using namespace corvanite;

namespace {

// The waveform's size in a 400-point panel row.
constexpr QSize kTraceSize(214, 53);

// A busy machine's load: a random walk, so every segment has a slope and the strokes have work.
QList<double> walk(int count, double low, double high, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> step(-12, 12);
    QList<double> values;
    double v = (low + high) / 2;
    for (int i = 0; i < count; ++i) {
        v = std::clamp(v + step(random), low, high);
        values.append(v);
    }
    return values;
}

void tick(benchmark::State& state, std::optional<double> maxValue, double high)
{
    VitalsWaveform trace;
    trace.resize(kTraceSize);
    const QList<double> samples = walk(VitalsWaveform::kCapacity * 2, 0, high, 7);
    qsizetype start = 0;
    for (auto _ : state) {
        start = (start + 1) % VitalsWaveform::kCapacity;
        trace.setTrace(samples.mid(start, VitalsWaveform::kCapacity), VitalsTheme::ecg, maxValue,
                       std::nullopt);
        benchmark::DoNotOptimize(trace.picture().cacheKey());
    }
}

void FixedScaleTick(benchmark::State& state)
{
    tick(state, 100.0, 100);
}
BENCHMARK(FixedScaleTick)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

void AutoScaleTick(benchmark::State& state)
{
    tick(state, std::nullopt, 2.5e6);
}
BENCHMARK(AutoScaleTick)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

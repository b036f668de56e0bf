// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SnapshotBuilder.h"
#include "platform/Clock.h"

#include "tests/support/FakeSystemSources.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FakeSystem;

namespace {

struct Harness {
    Harness()
        : bundle(fake.sources())
        , builder(bundle, clock)
    {
        fake.volume->space = VolumeSpace{100, 1000};
        fake.sensors->thermal.cpuC = 55.0;
        fake.sensors->fanSpeeds = {1200.0};
        BatterySample battery;
        battery.percentage = 80;
        fake.battery->sample = battery;
        GPUSample gpu;
        gpu.deviceUtil = 30;
        fake.gpu->sample = gpu;
        fake.processes->processes = {{10, QStringLiteral("a"), 0, 1},
                                     {11, QStringLiteral("b"), 0, 2}};
        fake.energy->rows = {{10, QStringLiteral("a"), 1.5, 99}};
        fake.assertions->blockers = {{10, {QStringLiteral("PreventSystemSleep")}}};
    }
    Snapshot pass(PassFlags flags, const QList<ProcessSample>& last = {})
    {
        clock.advance(2.0);
        return builder.build(flags, last);
    }

    FakeSystem fake;
    FakeClock clock;
    SystemSources bundle;
    SnapshotBuilder builder;
};

constexpr PassFlags kLight{};
constexpr PassFlags kHeavyScan{true, true, true, true};
constexpr PassFlags kHeavyNoScan{false, true, true, false};

} // namespace

TEST(SnapshotBuilder, firstPassHasNoRatesOrPerCore)
{
    Harness h;
    h.fake.cpu->cores = {{0, {1, 1, 1, 1}}, {1, {1, 1, 1, 1}}};
    h.fake.network->totals = NetworkTotals{5000, 6000, 1};
    const Snapshot first = h.pass(kLight);
    EXPECT_EQ(first.cpu.total, 0.0);
    EXPECT_TRUE(first.cpu.perCore.isEmpty());
    EXPECT_EQ(first.network, NetSample{});

    h.fake.cpu->host = CpuTicks{50, 0, 50, 0};
    h.fake.cpu->cores = {{0, {2, 1, 2, 1}}, {1, {1, 1, 3, 1}}};
    h.fake.network->totals = NetworkTotals{7000, 6400, 1};
    const Snapshot second = h.pass(kLight);
    EXPECT_DOUBLE_EQ(second.cpu.total, 50.0);
    EXPECT_EQ(second.cpu.perCore, (QList<double>{50.0, 0.0}));
    EXPECT_EQ(second.network, (NetSample{1000.0, 200.0}));
}

TEST(SnapshotBuilder, heavyPassReadsEverythingAndFillsTheCache)
{
    Harness h;
    const Snapshot s = h.pass(kHeavyScan);
    EXPECT_TRUE(s.gpuCollected && s.tempFresh && s.processesScanned);
    EXPECT_EQ(s.diskFree, 100u);
    EXPECT_EQ(s.diskTotal, 1000u);
    EXPECT_EQ(s.fans, (QList<double>{1200.0}));
    EXPECT_EQ(s.thermal.cpuC, 55.0);
    EXPECT_EQ(s.battery.percentage, 80);
    ASSERT_TRUE(s.gpu);
    EXPECT_EQ(s.gpu->deviceUtil, 30.0);
    EXPECT_EQ(s.energyRows.size(), 1);
    EXPECT_EQ(s.processes.size(), 2);
    EXPECT_EQ(s.livePids, (QSet<qint32>{10, 11}));
    ASSERT_TRUE(s.assertions);
    EXPECT_EQ(s.assertions->value(10), QStringList{QStringLiteral("PreventSystemSleep")});

    // Energy rows need a scan in the same pass.
    const Snapshot noScan = h.pass(kHeavyNoScan);
    EXPECT_TRUE(noScan.energyRows.isEmpty());
    EXPECT_FALSE(noScan.assertions);
    EXPECT_EQ(h.fake.energy->calls.load(), 1);
}

TEST(SnapshotBuilder, lightPassServesTheCacheAndCarriesProcessesOver)
{
    Harness h;
    h.pass(kHeavyScan);
    h.fake.volume->space = VolumeSpace{1, 2};
    h.fake.sensors->thermal.cpuC = 70.0;
    const int gpuCalls = h.fake.gpu->calls;
    const int tempCalls = h.fake.sensors->temperatureCalls;

    const QList<ProcessSample> last = {{42, QStringLiteral("kept"), 12.5, 7}};
    const Snapshot light = h.pass(kLight, last);
    EXPECT_EQ(light.diskFree, 100u); // from the cache, not read
    EXPECT_EQ(light.thermal.cpuC, 55.0);
    EXPECT_EQ(light.battery.percentage, 80);
    EXPECT_FALSE(light.gpu);
    EXPECT_FALSE(light.gpuCollected || light.tempFresh || light.processesScanned);
    EXPECT_EQ(light.processes, last); // old percentages kept
    EXPECT_EQ(light.livePids, (QSet<qint32>{42}));
    EXPECT_EQ(h.fake.gpu->calls.load(), gpuCalls);
    EXPECT_EQ(h.fake.sensors->temperatureCalls.load(), tempCalls);

    // A light pass that wants temperatures reads them fresh and keeps them for later.
    PassFlags withTemp;
    withTemp.collectTemp = true;
    const Snapshot fresh = h.pass(withTemp);
    EXPECT_TRUE(fresh.tempFresh);
    EXPECT_EQ(fresh.thermal.cpuC, 70.0);
    EXPECT_EQ(h.pass(kLight).thermal.cpuC, 70.0);
}

TEST(SnapshotBuilder, failedReadingsGiveDefaults)
{
    Harness h;
    h.fake.volume->space.reset();
    h.fake.battery->sample.reset();
    h.fake.gpu->sample.reset();
    h.fake.memory->stats.reset();
    h.fake.cpu->host.reset();
    h.fake.network->totals.reset();
    const Snapshot s = h.pass(kHeavyScan);
    EXPECT_EQ(s.diskFree, 0u);
    EXPECT_EQ(s.diskTotal, 0u);
    EXPECT_EQ(s.battery, BatterySample{});
    EXPECT_FALSE(s.gpu);
    EXPECT_TRUE(s.gpuCollected);
    EXPECT_EQ(s.memory, MemorySample{});
    EXPECT_EQ(s.cpu, CPUSample{});
}

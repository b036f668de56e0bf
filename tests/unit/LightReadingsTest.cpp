// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/LightReadings.h"

#include <gtest/gtest.h>

#include <limits>

using namespace corvanite;

TEST(LightReadings, tickDelta)
{
    struct Case {
        quint64 current, previous;
        double expected;
    };
    const quint64 max = std::numeric_limits<quint64>::max();
    const Case cases[] = {
        {10, 4, 6}, {4, 4, 0}, {4, 10, 0}, {max, 0, static_cast<double>(max)}, {0, max, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tickDelta(c.current, c.previous), c.expected) << c.current << " " << c.previous;
}

TEST(LightReadings, cpuUsage)
{
    // {user, system, idle, nice}
    struct Case {
        const char* name;
        CpuTicks previous, current;
        double expected;
    };
    const CpuTicks base{1000, 500, 8000, 100};
    const Case cases[] = {
        {"identical counters", base, base, 0.0},
        {"only nice advanced", base, {1000, 500, 8000, 150}, 100.0},
        {"quarter busy", base, {1010, 510, 8060, 100}, 25.0},
        {"system went backwards", base, {1030, 400, 8070, 100}, 30.0},
        {"everything backwards", base, {0, 0, 0, 0}, 0.0},
        {"huge counters stay capped", {0, 0, 0, 0}, {~0ull, ~0ull, 0, ~0ull}, 100.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(cpuUsage(c.previous, c.current), c.expected, 1e-9);
        EXPECT_NEAR(coreUsage(c.previous, c.current), c.expected, 1e-9);
        EXPECT_LE(cpuUsage(c.previous, c.current), 100.0);
    }
}

TEST(LightReadings, hostCpuStepKeepsBaselineAcrossFailedReads)
{
    std::optional<CpuTicks> previous;
    EXPECT_EQ(hostCpuStep(CpuTicks{10, 10, 80, 0}, previous), 0.0); // first reading
    EXPECT_EQ(hostCpuStep(std::nullopt, previous), 0.0);            // failed: baseline kept
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous->user, 10u);
    EXPECT_DOUBLE_EQ(hostCpuStep(CpuTicks{20, 20, 100, 0}, previous), 50.0);
}

TEST(LightReadings, perCoreUsageComparesOnlyTheSameProcessors)
{
    const auto cores = [](std::initializer_list<int> ids, quint64 user) {
        std::vector<CoreTicks> list;
        for (int id : ids)
            list.push_back({id, {user, 0, user, 0}}); // as much busy as idle time
        return list;
    };
    EXPECT_EQ(perCoreUsage(cores({0, 1}, 0), cores({0, 1}, 100)), (QList<double>{50.0, 50.0}));
    EXPECT_TRUE(perCoreUsage({}, cores({0, 1}, 0)).isEmpty());                    // first reading
    EXPECT_TRUE(perCoreUsage(cores({0, 1}, 0), {}).isEmpty());                    // failed reading
    EXPECT_TRUE(perCoreUsage(cores({0, 1, 2}, 0), cores({0, 2}, 100)).isEmpty()); // cpu1 offline
    EXPECT_TRUE(
        perCoreUsage(cores({0, 1}, 0), cores({0, 2}, 100)).isEmpty()); // same count, swapped
}

TEST(LightReadings, memorySampleCapsEveryCategoryAtPhysicalMemory)
{
    constexpr quint64 page = 4096;
    constexpr quint64 total = 1000 * page;
    struct Case {
        const char* name;
        VmStatistics vm;
        MemorySample expected;
    };
    // vm: {free, wire, purgeable, compressor, external, internal}
    const Case cases[] = {
        {"plain",
         {100, 50, 10, 20, 200, 300},
         {total, 290 * page, 50 * page, 20 * page, 210 * page, 100 * page}},
        {"purgeable above internal gives no app memory",
         {0, 0, 400, 0, 0, 300},
         {total, 0, 0, 0, 400 * page, 0}},
        {"each category above physical memory is physical memory",
         {5000, 5000, 0, 5000, 5000, 5000},
         {total, total, total, total, total, total}},
        {"counts that overflow 64-bit bytes are capped, not wrapped",
         {~0ull, ~0ull, ~0ull, ~0ull, ~0ull, ~0ull},
         {total, 0, total, total, total, total}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(memorySample(c.vm, page, total), c.expected);
    }
    EXPECT_EQ(memorySample({1, 1, 0, 1, 1, 1}, page, 0), MemorySample{});
}

TEST(LightReadings, networkRates)
{
    const auto totals = [](quint64 rx, quint64 tx, quint64 set = 1) {
        return std::optional<NetworkTotals>(NetworkTotals{rx, tx, set});
    };
    struct Step {
        std::optional<NetworkTotals> reading;
        double elapsed;
        NetSample expected;
        quint64 baselineReceived; // after the step
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"first reading gives 0", {{totals(1000, 500), 2.0, {0, 0}, 1000}}},
        {"rate over elapsed time",
         {{totals(1000, 500), 0, {0, 0}, 1000}, {totals(3000, 1500), 2.0, {1000, 500}, 3000}}},
        {"0.05 s apart: no rate, baseline moves",
         {{totals(1000, 500), 0, {0, 0}, 1000},
          {totals(2000, 600), 0.05, {0, 0}, 2000},
          {totals(2500, 700), 1.0, {500, 100}, 2500}}},
        {"exactly 0.1 s apart gives no rate",
         {{totals(1000, 500), 0, {0, 0}, 1000}, {totals(2000, 600), 0.1, {0, 0}, 2000}}},
        {"failed read keeps the baseline",
         {{totals(1000, 500), 0, {0, 0}, 1000},
          {std::nullopt, 2.0, {0, 0}, 1000},
          {totals(3000, 900), 2.0, {1000, 200}, 3000}}},
        {"a direction that went backwards is 0, the other counts",
         {{totals(1000, 500), 0, {0, 0}, 1000}, {totals(400, 900), 2.0, {0, 200}, 400}}},
        {"counted interfaces changed: no rate, baseline moves",
         {{totals(1000, 500, 1), 0, {0, 0}, 1000},
          {totals(90000000, 500, 2), 2.0, {0, 0}, 90000000},
          {totals(90002000, 700, 2), 2.0, {1000, 100}, 90002000}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<NetworkTotals> previous;
        for (const Step& step : c.steps) {
            EXPECT_EQ(networkStep(step.reading, previous, step.elapsed), step.expected);
            ASSERT_TRUE(previous);
            EXPECT_EQ(previous->received, step.baselineReceived);
        }
    }
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessListBuilder.h"

#include <gtest/gtest.h>

using namespace corvanite;
using namespace corvanite::ProcessListBuilder;

namespace {

ProcessSample proc(qint32 pid, const char* name, double cpu, quint64 mem = 0)
{
    return ProcessSample{pid, QString::fromUtf8(name), cpu, mem};
}

QList<qint32> pids(const QList<ProcessSample>& list)
{
    QList<qint32> out;
    for (const ProcessSample& p : list)
        out.append(p.pid);
    return out;
}

Lookups plain()
{
    return Lookups{[](qint32) { return false; }, {}};
}

} // namespace

TEST(ProcessListBuilder, cpuModeHidesIdleProcessesUnlessPausedOrSearched)
{
    const QList<ProcessSample> procs = {proc(1, "idle", 0.04), proc(2, "Busy", 3.0),
                                        proc(3, "busybox", 7.0), proc(4, "zero", 0.0)};
    EXPECT_EQ(pids(build(procs, {}, ProcessSortMode::Cpu, {}, plain())), (QList<qint32>{3, 2}));

    int pauseLookups = 0;
    Lookups paused{[&](qint32 pid) {
                       ++pauseLookups;
                       return pid == 1;
                   },
                   {}};
    EXPECT_EQ(pids(build(procs, {}, ProcessSortMode::Cpu, {}, paused)), (QList<qint32>{3, 2, 1}));
    EXPECT_EQ(pauseLookups, 2); // only the idle ones are looked up

    // A search keeps idle processes; case is ignored; largest CPU first.
    EXPECT_EQ(pids(build(procs, {}, ProcessSortMode::Cpu, QStringLiteral("BUSY"), plain())),
              (QList<qint32>{3, 2}));
    EXPECT_EQ(pids(build(procs, {}, ProcessSortMode::Cpu, QStringLiteral("e"), plain())),
              (QList<qint32>{1, 4}));
    const QList<ProcessSample> spaced = {proc(5, "a b", 0), proc(6, "ab", 0)};
    EXPECT_EQ(pids(build(spaced, {}, ProcessSortMode::Memory, QStringLiteral(" "), plain())),
              (QList<qint32>{5}));
}

TEST(ProcessListBuilder, memoryAndEnergyModesSortStablyWithoutTheIdleFilter)
{
    const QList<ProcessSample> procs = {proc(1, "a", 0, 100), proc(2, "b", 0, 300),
                                        proc(3, "c", 0, 100)};
    EXPECT_EQ(pids(build(procs, {}, ProcessSortMode::Memory, {}, plain())),
              (QList<qint32>{2, 1, 3}));
    EXPECT_TRUE(build(procs, {}, ProcessSortMode::Energy, {}, plain()).isEmpty());
    const QList<ProcessSample> energy = {proc(10, "x", 0.5, 1), proc(11, "y", 4.0, 1),
                                         proc(12, "z", 0.5, 1)};
    EXPECT_EQ(pids(build(procs, energy, ProcessSortMode::Energy, {}, plain())),
              (QList<qint32>{11, 10, 12}));
}

TEST(ProcessListBuilder, pinnedRecordsComeFirstAndBarsFollowTheShownRows)
{
    const QList<ProcessSample> procs = {proc(1, "a", 50, 1000), proc(2, "web", 40, 10),
                                        proc(3, "web", 30, 4000), proc(4, "db", 20, 50)};
    Lookups pinned{[](qint32) { return false; },
                   [](const QList<ProcessSample>& list) {
                       QList<ProcessSample> front, back;
                       bool taken = false;
                       for (const ProcessSample& p : list) {
                           if (p.name == QLatin1String("web") && !taken) {
                               taken = true;
                               front.append(p);
                           } else {
                               back.append(p);
                           }
                       }
                       return front + back;
                   }};
    const QList<ProcessSample> memory = build(procs, {}, ProcessSortMode::Memory, {}, pinned);
    EXPECT_EQ(pids(memory), (QList<qint32>{3, 1, 4, 2}));
    const QList<RankedProcess> shown = rows(memory, 3, ProcessSortMode::Memory);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0].rank, 1);
    EXPECT_EQ(shown[0].barFraction, 1.0); // the lifted row is the largest shown
    EXPECT_EQ(shown[1].barFraction, 0.25);
    EXPECT_EQ(shown[2].rank, 3);

    const QList<RankedProcess> cpu =
        rows({proc(1, "a", 250), proc(2, "b", 50)}, 12, ProcessSortMode::Cpu);
    EXPECT_EQ(cpu.size(), 2);
    EXPECT_EQ(cpu[0].barFraction, 1.0);
    EXPECT_EQ(cpu[1].barFraction, 0.5);
    const QList<RankedProcess> watts =
        rows({proc(1, "a", 25), proc(2, "b", 5)}, 6, ProcessSortMode::Energy);
    EXPECT_EQ(watts[0].barFraction, 1.0);
    EXPECT_EQ(watts[1].barFraction, 0.25);
    EXPECT_EQ(rows({proc(1, "a", 0, 0)}, 6, ProcessSortMode::Memory)[0].barFraction, 0.0);
}

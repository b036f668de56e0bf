// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/PressureMonitor.h"
#include "app/sampling/SnapshotBuilder.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxMemoryPressure.h"
#include "platform/linux/LinuxMemoryStats.h"

#include "tests/support/FakeSystemSources.h"
#include "tests/support/FixtureTree.h"
#include "tests/support/LogWatch.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;
using corvanite::test::LogWatch;

namespace {

PressureReading reading(std::optional<double> some, std::optional<double> full,
                        std::optional<quint64> availablePercent)
{
    PressureReading r;
    r.someAvg10 = some;
    r.fullAvg10 = full;
    if (availablePercent) {
        r.totalBytes = 1000;
        r.availableBytes = *availablePercent * 10;
    }
    return r;
}

} // namespace

TEST(PressureLevel, stallsAndAvailableMemoryMapToLevels)
{
    using L = PressureLevel;
    const struct {
        PressureReading reading;
        std::optional<PressureLevel> level;
    } cases[] = {
        {reading(0.0, 0.0, 50), L::Normal},
        {reading(9.99, 9.99, 10), L::Normal},
        {reading(10.0, 0.0, 50), L::Warning},
        {reading(0.0, 0.0, 9), L::Warning},
        {reading(30.0, 10.0, 50), L::Critical},
        {reading(0.0, 0.0, 4), L::Critical},
        {reading(std::nullopt, std::nullopt, 4), L::Critical}, // no PSI: memory alone
        {reading(12.0, std::nullopt, std::nullopt), L::Warning},
        {reading(std::nullopt, std::nullopt, std::nullopt), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pressureLevelFor(c.reading), c.level)
            << c.reading.someAvg10.value_or(-1) << " " << c.reading.fullAvg10.value_or(-1);
}

TEST(LinuxMemoryPressure, readsStallAveragesAndAvailableMemory)
{
    FixtureTree tree(QStringLiteral("sensors/laptop"));
    LinuxMemoryPressure source(tree.root());
    const auto r = source.readMemoryPressure();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->someAvg10, 12.5);
    EXPECT_EQ(r->fullAvg10, 3.25);
    EXPECT_EQ(r->totalBytes, 16000000ull * 1024);
    EXPECT_EQ(r->availableBytes, 2400000ull * 1024);
    EXPECT_EQ(pressureLevelFor(*r), PressureLevel::Warning);

    tree.write(QStringLiteral("proc/pressure/memory"), "some avg10=nan\nfull total=3\n");
    tree.remove(QStringLiteral("proc/meminfo"));
    EXPECT_EQ(LinuxMemoryPressure(tree.root()).readMemoryPressure(), std::nullopt);
    // A copy of the pressure file takes no trigger (and is not written to).
    EXPECT_EQ(PsiTrigger::open(tree.root()), nullptr);
}

TEST(LinuxMemoryPressure, thisMachinesPressureReads)
{
    const auto r = LinuxMemoryPressure().readMemoryPressure();
    ASSERT_TRUE(r); // MemAvailable exists on every supported kernel
    EXPECT_TRUE(pressureLevelFor(*r).has_value());
}

TEST(PressureMonitor, risesCaptureCulpritsBeforeTheLevelChangesAndEveryChangeIsLogged)
{
    PressureMonitor monitor(nullptr, nullptr);
    QList<std::pair<PressureLevel, PressureLevel>> captures; // (asked for, level at the time)
    monitor.setCulpritCapture([&](PressureLevel level) {
        captures.append({level, monitor.level()});
    });
    int notices = 0;
    QObject::connect(&monitor, &PressureMonitor::levelChanged, [&] { ++notices; });

    monitor.update(PressureLevel::Critical); // not started: nothing
    EXPECT_EQ(monitor.level(), PressureLevel::Normal);

    LogWatch log;
    monitor.start();
    monitor.start();
    monitor.update(PressureLevel::Normal); // unchanged: silent
    monitor.update(PressureLevel::Critical);
    monitor.update(PressureLevel::Warning);
    monitor.update(PressureLevel::Warning);
    monitor.update(PressureLevel::Critical);

    EXPECT_EQ(captures, (QList<std::pair<PressureLevel, PressureLevel>>{
                            {PressureLevel::Critical, PressureLevel::Normal},
                            {PressureLevel::Critical, PressureLevel::Warning}}));
    EXPECT_EQ(notices, 3);
    EXPECT_EQ(log.lines(),
              (QStringList{QStringLiteral("Memory pressure changed: normal → critical"),
                           QStringLiteral("Memory pressure changed: critical → warning"),
                           QStringLiteral("Memory pressure changed: warning → critical")}));
}

TEST(PressureMonitor, startOpensOneTriggerAtMost)
{
    int opens = 0;
    PressureMonitor monitor(nullptr, [&]() -> std::unique_ptr<PressureTrigger> {
        ++opens;
        return PsiTrigger::open();
    });
    monitor.start();
    monitor.start();
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(monitor.isStarted());
}

TEST(PressureLevel, eachPassJudgesStallsWithTheMemoryItRead)
{
    corvanite::test::FakeSystem fake;
    FakeClock clock;
    MemoryStats stats{{}, 4096, 1000 * 4096, std::nullopt};
    stats.availableBytes = 40 * 4096; // 4 % available
    fake.memory->stats = stats;
    fake.pressure->reading = PressureReading{0.0, 0.0, std::nullopt, std::nullopt};
    SystemSources sources = fake.sources();
    SnapshotBuilder builder(sources, clock);
    EXPECT_EQ(builder.build(PassFlags{}, {}).memoryPressure, PressureLevel::Critical);

    fake.memory->stats->availableBytes = 500 * 4096;
    EXPECT_EQ(builder.build(PassFlags{}, {}).memoryPressure, PressureLevel::Normal);
    fake.pressure->reading.reset();
    fake.memory->stats->availableBytes.reset();
    EXPECT_EQ(builder.build(PassFlags{}, {}).memoryPressure, std::nullopt);

    // The memory statistics carry MemAvailable for this.
    FixtureTree tree(QStringLiteral("linux"));
    EXPECT_EQ(LinuxMemoryStats(tree.root(), 4096).readMemoryStats()->availableBytes,
              9000000ull * 1024);
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/InsightEngine.h"
#include "app/base/Format.h"
#include "app/sampling/Monitor.h"
#include "platform/Clock.h"

#include "tests/support/FakeSystemSources.h"
#include "tests/support/LogWatch.h"

#include <QSignalSpy>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::LogWatch;

namespace {

constexpr quint64 MiB = 1048576;
constexpr quint64 GiB = 1024 * MiB;
constexpr qint32 kOwnPid = 4000;

struct Engine {
    Engine()
        : engine(InsightEngine::Dependencies{&clock, [this] { return scanned; }, kOwnPid})
    {
    }
    // An ingest a full interval after the previous one.
    void ingest(const QList<ProcessSample>& processes,
                const std::optional<AssertionMap>& assertions = std::nullopt)
    {
        clock.advance(InsightEngine::kIngestInterval);
        engine.ingest(processes, assertions);
    }
    QStringList ids() const
    {
        QStringList out;
        for (const Insight& i : engine.insights())
            out.append(i.id());
        return out;
    }

    FakeClock clock;
    QList<ProcessSample> scanned; // what the sampling engine scanned last
    InsightEngine engine;
};

ProcessSample busy(qint32 pid, const QString& name, quint64 bytes)
{
    return {pid, name, 50.0, bytes};
}

// 20 samples from 1 GiB to 1.9 GiB, with a small dip at each given step.
QList<quint64> rampWithDips(const QList<int>& dipAt)
{
    QList<quint64> v;
    const double step = 0.9 * GiB / 19.0;
    for (int i = 0; i < 20; ++i)
        v.append(GiB + quint64(step * i));
    for (int k : dipAt)
        v[k] = v[k - 1] - MiB;
    return v;
}

} // namespace

TEST(InsightEngine, ingestsAtMostEvery30SecondsButRebuildsOnAChangedAssertionMap)
{
    Engine e;
    EXPECT_TRUE(e.engine.wantsProcessScan());
    // An empty table neither counts as an ingest nor changes anything.
    e.engine.ingest({}, std::nullopt);
    EXPECT_TRUE(e.engine.wantsProcessScan());

    e.engine.ingest({busy(10, QStringLiteral("ten"), GiB)}, AssertionMap{});
    EXPECT_FALSE(e.engine.wantsProcessScan());

    // 20 s later: the table is not taken (pid 11 gets no name), the new assertions are.
    e.clock.advance(20);
    e.engine.ingest({busy(11, QStringLiteral("eleven"), GiB)},
                    AssertionMap{{11, {QStringLiteral("PreventUserIdleSystemSleep")}}});
    ASSERT_EQ(e.engine.insights().size(), 1);
    EXPECT_EQ(e.engine.insights()[0].processName, QStringLiteral("pid 11"));
    EXPECT_EQ(e.engine.insights()[0].kind, Insight::Kind::SleepBlocker);
    EXPECT_FALSE(e.engine.insights()[0].reclaimBytes);

    e.clock.advance(10);
    EXPECT_TRUE(e.engine.wantsProcessScan());
    // Absent assertions (a pass that did not read them) keep the last map.
    e.engine.ingest({busy(11, QStringLiteral("eleven"), GiB)}, std::nullopt);
    ASSERT_EQ(e.engine.insights().size(), 1);
    EXPECT_EQ(e.engine.insights()[0].processName, QStringLiteral("eleven"));
    EXPECT_EQ(e.engine.insights()[0].message,
              QStringLiteral("eleven is keeping the system awake."));
}

TEST(InsightEngine, leakNeedsGrowthAboveThreeQuartersOfAGibibyteAndFourFifthsRisingSteps)
{
    struct Case {
        const char* what;
        QList<quint64> track;
        bool leak;
    };
    QList<quint64> exact, justAbove, nineteen;
    for (int i = 0; i < 20; ++i) {
        exact.append(GiB + 768 * MiB * i / 19);
        justAbove.append(GiB + (768 * MiB + 19) * i / 19);
    }
    nineteen = rampWithDips({});
    nineteen.removeLast();
    const Case cases[] = {
        {"three dips: 16 of 19 steps rise", rampWithDips({3, 7, 11}), true},
        {"four dips: 15 of 19", rampWithDips({3, 7, 11, 15}), false},
        {"a rise of exactly 768 MiB", exact, false},
        {"a rise just above 768 MiB", justAbove, true},
        {"only 19 samples", nineteen, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Engine e;
        for (quint64 bytes : c.track)
            e.ingest({busy(42, QStringLiteral("grower"), bytes)});
        if (!c.leak) {
            EXPECT_TRUE(e.engine.insights().isEmpty());
            continue;
        }
        ASSERT_EQ(e.engine.insights().size(), 1);
        const Insight leak = e.engine.insights()[0];
        EXPECT_EQ(leak.kind, Insight::Kind::Leak);
        EXPECT_EQ(leak.id(), QStringLiteral("1.42"));
        EXPECT_EQ(leak.reclaimBytes, c.track.last());
        EXPECT_EQ(leak.message, QStringLiteral("grower keeps growing: +") +
                                    Format::byteString(c.track.last() - c.track.first()) +
                                    QStringLiteral(" recently."));
    }
}

TEST(InsightEngine, aProcessThatLeavesTheTableLosesItsTrack)
{
    Engine e;
    const QList<quint64> ramp = rampWithDips({});
    for (int i = 0; i < 19; ++i)
        e.ingest({busy(42, QStringLiteral("grower"), ramp[i])});
    e.ingest({busy(1, QStringLiteral("other"), GiB)});
    e.ingest({busy(42, QStringLiteral("grower"), ramp[19])});
    EXPECT_TRUE(e.engine.insights().isEmpty());
}

TEST(InsightEngine, idleHogAtTheTwentiethQuietIngestAndGoneAfterOneBusyOne)
{
    Engine e;
    const ProcessSample idle{77, QStringLiteral("sleepy"), 1.0, GiB + 200 * MiB};
    for (int i = 0; i < 19; ++i)
        e.ingest({idle});
    EXPECT_TRUE(e.engine.insights().isEmpty());
    e.ingest({idle});
    ASSERT_EQ(e.ids(), QStringList{QStringLiteral("3.77")});
    EXPECT_EQ(e.engine.insights()[0].reclaimBytes, idle.memoryBytes);
    EXPECT_EQ(e.engine.insights()[0].message, QStringLiteral("sleepy is idle but holds ") +
                                                  Format::byteString(idle.memoryBytes) +
                                                  QStringLiteral("."));

    ProcessSample woke = idle;
    woke.cpuPercent = 2.0;
    e.ingest({woke});
    EXPECT_TRUE(e.engine.insights().isEmpty());
    for (int i = 0; i < 19; ++i)
        e.ingest({idle});
    EXPECT_TRUE(e.engine.insights().isEmpty()) << "the streak starts again from zero";

    // Exactly 1 GiB is not large, 1.5 % is not idle.
    Engine edges;
    for (int i = 0; i < 25; ++i)
        edges.ingest({{1, QStringLiteral("a"), 1.0, GiB}, {2, QStringLiteral("b"), 1.5, 2 * GiB}});
    EXPECT_TRUE(edges.engine.insights().isEmpty());
}

TEST(InsightEngine, ownProcessAndQuietDaemonsAreNeverSleepBlockers)
{
    Engine e;
    const QStringList types{QStringLiteral("PreventSystemSleep")};
    e.ingest({busy(kOwnPid, QStringLiteral("corvanite"), GiB),
              busy(5, QStringLiteral("powerd"), MiB), busy(6, QStringLiteral("player"), MiB)},
             AssertionMap{{kOwnPid, types}, {5, types}, {6, types}, {9, types}});
    EXPECT_EQ(e.ids(), (QStringList{QStringLiteral("2.6"), QStringLiteral("2.9")}));
    EXPECT_EQ(e.engine.insights()[1].processName, QStringLiteral("pid 9"));

    // The blocker stays until its assertions disappear from the map.
    e.ingest({busy(6, QStringLiteral("player"), MiB)}, AssertionMap{{6, types}});
    EXPECT_EQ(e.ids(), QStringList{QStringLiteral("2.6")});
    e.ingest({busy(6, QStringLiteral("player"), MiB)}, AssertionMap{});
    EXPECT_TRUE(e.engine.insights().isEmpty());
}

TEST(InsightEngine, keepsTheFirstThreeByKindThenPid)
{
    Engine e;
    const QList<quint64> ramp = rampWithDips({});
    const ProcessSample hog{3, QStringLiteral("hog"), 0.5, 3 * GiB};
    for (int i = 0; i < 20; ++i) {
        e.ingest({busy(30, QStringLiteral("leakB"), ramp[i]), hog,
                  busy(20, QStringLiteral("leakA"), ramp[i]),
                  busy(8, QStringLiteral("awake"), MiB)},
                 AssertionMap{{8, {QStringLiteral("NoIdleSleepAssertion")}}});
    }
    EXPECT_EQ(e.ids(),
              (QStringList{QStringLiteral("1.20"), QStringLiteral("1.30"), QStringLiteral("2.8")}));
}

TEST(InsightEngine, culpritShowsOnlyWhileFreshAndUnderPressure)
{
    LogWatch log;
    Engine e;
    e.scanned = {busy(1, QStringLiteral("small"), 100 * MiB),
                 busy(2, QStringLiteral("big"), 3 * GiB), busy(3, QStringLiteral("twin"), 3 * GiB)};
    e.ingest({busy(1, QStringLiteral("small"), 100 * MiB)});

    // The rise is captured before the new level is kept, so the capture's own rebuild still
    // sees normal pressure; the next ingest shows it.
    e.engine.setPressureLevel(PressureLevel::Warning);
    EXPECT_TRUE(e.engine.insights().isEmpty());
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Pressure culprit snapshot: big 3072MB")));
    e.ingest({busy(1, QStringLiteral("small"), 100 * MiB)});
    ASSERT_EQ(e.ids(), QStringList{QStringLiteral("0.2")});
    EXPECT_EQ(e.engine.insights()[0].reclaimBytes, 3 * GiB);
    EXPECT_EQ(e.engine.insights()[0].message, QStringLiteral("big is driving memory pressure (") +
                                                  Format::byteString(3 * GiB) +
                                                  QStringLiteral(")."));

    // A fall captures nothing; back to normal hides the culprit at the next rebuild.
    const int captures = int(log.lines().filter(QStringLiteral("Pressure culprit")).size());
    e.engine.setPressureLevel(PressureLevel::Normal);
    EXPECT_EQ(e.engine.insights().size(), 1);
    e.ingest({busy(1, QStringLiteral("small"), 100 * MiB)});
    EXPECT_TRUE(e.engine.insights().isEmpty());
    EXPECT_EQ(log.lines().filter(QStringLiteral("Pressure culprit")).size(), captures);

    // Stale after 600 s even while pressure stays up.
    e.engine.setPressureLevel(PressureLevel::Critical);
    e.ingest({busy(1, QStringLiteral("small"), 100 * MiB)});
    EXPECT_EQ(e.ids(), QStringList{QStringLiteral("0.2")});
    e.clock.advance(540); // 570 s after the capture, then the ingest adds 30
    e.ingest({busy(1, QStringLiteral("small"), 100 * MiB)});
    EXPECT_TRUE(e.engine.insights().isEmpty());

    // Nothing scanned yet: no capture at all.
    Engine empty;
    empty.engine.captureCulprits(PressureLevel::Critical);
    EXPECT_EQ(log.lines().filter(QStringLiteral("Pressure culprit")).size(), captures + 1);
}

TEST(InsightEngine, publishesOnlyChangesAndLogsOnlyANewLineup)
{
    LogWatch log;
    Engine e;
    QSignalSpy published(&e.engine, &InsightEngine::insightsChanged);
    const QStringList types{QStringLiteral("PreventSystemSleep")};
    e.ingest({busy(6, QStringLiteral("player"), MiB)}, AssertionMap{{6, types}});
    EXPECT_EQ(published.count(), 1);
    e.ingest({busy(6, QStringLiteral("player"), MiB)}, AssertionMap{{6, types}});
    EXPECT_EQ(published.count(), 1) << "an unchanged list is not published again";

    ProcessSample hog{7, QStringLiteral("hog"), 0.0, 2 * GiB};
    for (int i = 0; i < 20; ++i)
        e.ingest({busy(6, QStringLiteral("player"), MiB), hog});
    EXPECT_EQ(published.count(), 2);
    // Only the message changes: published, not logged.
    hog.memoryBytes = 2 * GiB + 200 * MiB;
    e.ingest({busy(6, QStringLiteral("player"), MiB), hog});
    EXPECT_EQ(published.count(), 3);
    e.ingest({busy(6, QStringLiteral("player"), MiB), hog}, AssertionMap{});
    e.ingest({}, AssertionMap{});

    EXPECT_EQ(log.lines().filter(QStringLiteral("Diagnostics updated")),
              (QStringList{QStringLiteral("Diagnostics updated: [sleepBlocker] player"),
                           QStringLiteral("Diagnostics updated: [sleepBlocker] player / "
                                          "[idleHog] hog"),
                           QStringLiteral("Diagnostics updated: [idleHog] hog")}));
}

// With the panel closed the engine publishes no process table, yet the culprit must come from
// the processes of the latest scan.
TEST(InsightEngine, capturesFromTheLastScanWhileThePanelIsClosed)
{
    test::FakeSystem fake;
    fake.memory->stats = MemoryStats{{100, 50, 0, 0, 100, 250}, 4096, 1000 * 4096, std::nullopt};
    fake.processes->processes = {{7, QStringLiteral("editor"), 0, 300 * MiB},
                                 {8, QStringLiteral("browser"), 0, 2 * GiB}};
    FakeClock clock;
    std::unique_ptr<Monitor> monitor;
    InsightEngine engine(InsightEngine::Dependencies{
        &clock, [&monitor] { return monitor->lastProcesses(); }, kOwnPid});
    MonitorPolicy policy;
    policy.wantsProcessScan = [&engine] { return engine.wantsProcessScan(); };
    monitor = std::make_unique<Monitor>(fake.sources(), clock, std::move(policy));
    TickConsumers consumers;
    consumers.ingestInsights = [&engine](const QList<ProcessSample>& p,
                                         const std::optional<AssertionMap>& a) {
        engine.ingest(p, a);
    };
    monitor->setTickConsumers(std::move(consumers));
    ASSERT_TRUE(monitor->isPublishingPaused());

    QSignalSpy applied(monitor.get(), &Monitor::cpuChanged);
    monitor->sample();
    ASSERT_TRUE(applied.wait(5000));
    EXPECT_TRUE(monitor->processes().isEmpty()) << "nothing is published while closed";
    ASSERT_EQ(monitor->lastProcesses().size(), 2);

    LogWatch log;
    engine.setPressureLevel(PressureLevel::Critical);
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Pressure culprit snapshot: browser 2048MB")));

    // The next closed-panel scan, 30 s on, shows it.
    clock.advance(30);
    monitor->sample();
    ASSERT_TRUE(applied.wait(5000));
    ASSERT_EQ(engine.insights().size(), 1);
    EXPECT_EQ(engine.insights()[0].processName, QStringLiteral("browser"));
    monitor->stopWorker();
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/Monitor.h"
#include "app/base/Log.h"
#include "app/sampling/MonitorLog.h"
#include "platform/Clock.h"
#include "platform/XdgPaths.h"

#include "tests/support/FakeSystemSources.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

using namespace corvanite;
using corvanite::test::FakeSystem;

namespace {

constexpr int kWaitMs = 5000;

// A monitor on fakes, with policy answers the test can change at any time.
struct Harness {
    explicit Harness(bool withGpu = true)
    {
        fake.memory->stats =
            MemoryStats{{100, 50, 0, 0, 100, 250}, 4096, 1000 * 4096, std::nullopt};
        fake.volume->space = VolumeSpace{10, 20};
        fake.processes->processes = {{7, QStringLiteral("seven"), 0, 70}};
        if (withGpu) {
            GPUSample gpu;
            gpu.deviceUtil = 40;
            fake.gpu->sample = gpu;
        }
        fake.sensors->thermal.cpuC = 50.0;
        MonitorPolicy policy;
        policy.iconOnlyMenuBar = [this] { return iconOnly; };
        policy.alertsEnabled = [this] { return alerts; };
        policy.wantsProcessScan = [this] { return insightWantsScan; };
        policy.wantsTempSample = [this] { return historyWantsTemp; };
        monitor = std::make_unique<Monitor>(fake.sources(), clock, std::move(policy));
    }

    // Waits for the pass in flight to be applied.
    bool waitForPass()
    {
        if (!monitor->isSampling())
            return true;
        QSignalSpy applied(monitor.get(), &Monitor::cpuChanged);
        return applied.wait(kWaitMs);
    }
    // Takes one more pass, a couple of seconds after the previous one.
    bool pass()
    {
        clock.advance(2.0);
        monitor->sample();
        return waitForPass();
    }
    int timerMs() const
    {
        const auto* timer = monitor->findChild<QTimer*>(QStringLiteral("samplingTimer"));
        return timer && timer->isActive() ? timer->interval() : -1;
    }

    bool iconOnly = false;
    bool alerts = false;
    bool insightWantsScan = false;
    bool historyWantsTemp = false;
    FakeSystem fake;
    FakeClock clock;
    std::unique_ptr<Monitor> monitor;
};

// Records the order in which the monitor notifies; onTick shows up as "onTick".
struct OrderRecorder {
    explicit OrderRecorder(Monitor& monitor)
    {
        const auto track = [&](auto signal, const char* name) {
            QObject::connect(&monitor, signal, &monitor, [this, name] { order.push_back(name); });
        };
        track(&Monitor::cpuChanged, "cpu");
        track(&Monitor::memoryChanged, "memory");
        track(&Monitor::networkChanged, "network");
        track(&Monitor::processesChanged, "processes");
        track(&Monitor::diskFreeBytesChanged, "diskFree");
        track(&Monitor::diskTotalBytesChanged, "diskTotal");
        track(&Monitor::fansChanged, "fans");
        track(&Monitor::thermalChanged, "thermal");
        track(&Monitor::batteryChanged, "battery");
        track(&Monitor::gpuChanged, "gpu");
        track(&Monitor::gpuHistoryChanged, "gpuHistory");
        track(&Monitor::energyRowsChanged, "energyRows");
        track(&Monitor::cpuHistoryChanged, "cpuHistory");
        track(&Monitor::memHistoryChanged, "memHistory");
        track(&Monitor::downHistoryChanged, "downHistory");
        track(&Monitor::upHistoryChanged, "upHistory");
        track(&Monitor::tempHistoryChanged, "tempHistory");
        monitor.setOnTick([this] { order.push_back("onTick"); });
    }
    std::vector<std::string> order;
};

} // namespace

TEST(Monitor, effectiveInterval)
{
    struct Case {
        bool panelOpen, iconOnly, alerts;
        double interval;
        double expected;
    };
    const Case cases[] = {
        {false, true, false, 2.0, 10.0}, // nobody is looking: stretched to 10 s
        {false, true, false, 15.0, 15.0},
        {false, false, false, 2.0, 2.0}, // figures in the menu bar
        {false, true, true, 2.0, 2.0},   // alerts need fresh readings
        {true, true, false, 2.0, 2.0},   // panel open
        {true, false, false, 1.0, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.panelOpen << c.iconOnly << c.alerts << c.interval);
        Harness h;
        h.iconOnly = c.iconOnly;
        h.alerts = c.alerts;
        h.monitor->start(c.interval);
        ASSERT_TRUE(h.waitForPass());
        h.monitor->setPublishingPaused(!c.panelOpen);
        ASSERT_TRUE(h.waitForPass());
        EXPECT_EQ(h.monitor->effectiveInterval(), c.expected);
        EXPECT_EQ(h.timerMs(), static_cast<int>(c.expected * 1000));
    }
}

TEST(Monitor, unusableIntervalsNeverSpinTheTimer)
{
    struct Case {
        double interval;
        int expectedMs;
    };
    const Case cases[] = {{0.0, 250}, {-5.0, 250}, {std::nan(""), 2000}, {1e12, 86400000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        Harness h;
        h.monitor->start(c.interval);
        EXPECT_EQ(h.timerMs(), c.expectedMs);
        ASSERT_TRUE(h.waitForPass());
    }
}

TEST(Monitor, settingChangesRescheduleOnlyWhenAsked)
{
    Harness h;
    h.iconOnly = true;
    h.monitor->start(2.0);
    ASSERT_TRUE(h.waitForPass());
    EXPECT_EQ(h.timerMs(), 10000);
    h.alerts = true;
    EXPECT_EQ(h.timerMs(), 10000);
    h.monitor->applyEffectiveInterval();
    EXPECT_EQ(h.timerMs(), 2000);

    h.monitor->stop();
    EXPECT_EQ(h.timerMs(), -1);
    h.monitor->applyEffectiveInterval(); // no timer: nothing to reschedule
    EXPECT_EQ(h.timerMs(), -1);
    EXPECT_TRUE(h.pass()); // sample() still works when stopped
}

TEST(Monitor, setIntervalWithinAHundredthDoesNothing)
{
    Harness h;
    h.monitor->start(2.0);
    ASSERT_TRUE(h.waitForPass());
    const qint64 cycle = h.monitor->cycle();

    h.monitor->setInterval(2.009);
    EXPECT_EQ(h.monitor->cycle(), cycle);
    EXPECT_FALSE(h.monitor->isSampling());
    EXPECT_EQ(h.monitor->refreshInterval(), 2.0);

    h.monitor->setInterval(5.0);
    EXPECT_EQ(h.monitor->cycle(), cycle + 1); // a new start takes a pass at once
    EXPECT_EQ(h.timerMs(), 5000);
    EXPECT_TRUE(h.waitForPass());
}

TEST(Monitor, tickDuringAPassIsDroppedWithoutAdvancingTheCycle)
{
    Harness h;
    h.monitor->sample();
    EXPECT_TRUE(h.monitor->isSampling());
    h.monitor->sample();
    h.monitor->sample();
    EXPECT_EQ(h.monitor->cycle(), 1);
    ASSERT_TRUE(h.waitForPass());
    EXPECT_FALSE(h.monitor->isSampling());
    EXPECT_EQ(h.fake.cpu->calls.load(), 1);
    ASSERT_TRUE(h.pass());
    EXPECT_EQ(h.monitor->cycle(), 2);
}

TEST(Monitor, closedPanelPublishesOnlyCpuMemoryAndNetwork)
{
    Harness h;
    OrderRecorder recorder(*h.monitor);
    h.monitor->start(2.0);
    ASSERT_TRUE(h.waitForPass());
    ASSERT_TRUE(h.pass());
    const std::vector<std::string> onePass = {"cpu", "memory", "network", "onTick"};
    std::vector<std::string> twoPasses = onePass;
    twoPasses.insert(twoPasses.end(), onePass.begin(), onePass.end());
    EXPECT_EQ(recorder.order, twoPasses);
    EXPECT_EQ(h.monitor->memory().total, 1000u * 4096u);
    EXPECT_EQ(h.monitor->tickCount(), 0);
    EXPECT_EQ(h.fake.gpu->calls.load(), 0);
    EXPECT_EQ(h.fake.processes->calls.load(), 0);
    EXPECT_EQ(h.fake.sensors->temperatureCalls.load(), 0);
}

TEST(Monitor, closedPanelAsksPolicyForScansAndTemperatures)
{
    struct Case {
        bool alerts, historyWantsTemp, insightWantsScan;
        int temperatureReads, scans;
    };
    const Case cases[] = {
        {false, false, false, 0, 0},
        {true, false, false, 1, 0},
        {false, true, false, 1, 0},
        {false, false, true, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.alerts << c.historyWantsTemp << c.insightWantsScan);
        Harness h;
        h.alerts = c.alerts;
        h.historyWantsTemp = c.historyWantsTemp;
        h.insightWantsScan = c.insightWantsScan;
        ASSERT_TRUE(h.pass());
        EXPECT_EQ(h.fake.sensors->temperatureCalls.load(), c.temperatureReads);
        EXPECT_EQ(h.fake.processes->calls.load(), c.scans);
        EXPECT_EQ(h.fake.assertions->calls.load(), c.scans);
        EXPECT_EQ(h.fake.gpu->calls.load(), 0);
    }
}

TEST(Monitor, openingThePanelForcesAnImmediateScanningHeavyPass)
{
    Harness h;
    h.monitor->start(2.0);
    ASSERT_TRUE(h.waitForPass()); // cycle 1, closed
    ASSERT_EQ(h.fake.processes->calls.load(), 0);

    QSignalSpy processes(h.monitor.get(), &Monitor::processesChanged);
    h.monitor->setPublishingPaused(false); // cycle 2: even, but forced
    EXPECT_EQ(h.monitor->cycle(), 2);
    ASSERT_TRUE(h.waitForPass());
    EXPECT_EQ(h.fake.processes->calls.load(), 1);
    EXPECT_EQ(h.fake.gpu->calls.load(), 1);
    EXPECT_EQ(processes.count(), 1);
    EXPECT_EQ(h.monitor->processes().size(), 1);
    EXPECT_EQ(h.monitor->diskTotalBytes(), 20u);

    ASSERT_TRUE(h.pass()); // cycle 3: odd, scans
    EXPECT_EQ(h.fake.processes->calls.load(), 2);
    ASSERT_TRUE(h.pass()); // cycle 4: even, carries the table over
    EXPECT_EQ(h.fake.processes->calls.load(), 2);
    EXPECT_EQ(h.fake.gpu->calls.load(), 3);
    EXPECT_EQ(h.monitor->processes().size(), 1);

    // Closing: light passes again.
    h.monitor->setPublishingPaused(true);
    EXPECT_EQ(h.monitor->cycle(), 4); // closing takes no pass
    ASSERT_TRUE(h.pass());
    EXPECT_EQ(h.fake.gpu->calls.load(), 3);
}

// Opening the panel while a closed-panel pass is running: that pass is applied as it is, and
// the scanning pass the panel asked for follows it at once instead of waiting for the next tick.
TEST(Monitor, openingThePanelDuringAPassScansRightAfterIt)
{
    Harness h;
    h.monitor->sample(); // cycle 1, closed: no scan
    ASSERT_TRUE(h.monitor->isSampling());
    QSignalSpy processes(h.monitor.get(), &Monitor::processesChanged);
    h.monitor->setPublishingPaused(false);
    EXPECT_EQ(h.monitor->cycle(), 1); // dropped while the first is in flight
    ASSERT_TRUE(h.waitForPass());
    EXPECT_EQ(h.monitor->cycle(), 2); // the follow-up started from the apply
    ASSERT_TRUE(h.waitForPass());
    EXPECT_EQ(h.fake.processes->calls.load(), 1);
    EXPECT_EQ(h.monitor->processes().size(), 1);
    EXPECT_FALSE(h.monitor->isSampling()); // and nothing after it

    // Closing again before the pass lands cancels the follow-up.
    h.monitor->setPublishingPaused(true);
    h.monitor->sample();
    h.monitor->setPublishingPaused(false);
    h.monitor->setPublishingPaused(true);
    ASSERT_TRUE(h.waitForPass());
    EXPECT_FALSE(h.monitor->isSampling());
    EXPECT_EQ(h.monitor->cycle(), 3);
}

TEST(Monitor, fanOutOrder)
{
    Harness h;
    h.fake.energy->rows = {{7, QStringLiteral("seven"), 0.5, 1}};
    h.monitor->start(2.0);
    ASSERT_TRUE(h.waitForPass());
    OrderRecorder recorder(*h.monitor);

    h.monitor->setPublishingPaused(false); // scanning heavy pass, GPU and CPU temperature present
    ASSERT_TRUE(h.waitForPass());
    EXPECT_EQ(recorder.order,
              (std::vector<std::string>{"cpu", "memory", "network", "onTick", "processes",
                                        "diskFree", "diskTotal", "fans", "thermal", "battery",
                                        "gpu", "gpuHistory", "energyRows", "cpuHistory",
                                        "memHistory", "downHistory", "upHistory", "tempHistory"}));

    // Not scanning, no GPU reading, no CPU temperature.
    recorder.order.clear();
    h.fake.gpu->sample.reset();
    h.fake.sensors->thermal.cpuC.reset();
    ASSERT_TRUE(h.pass()); // cycle 3 scans; take another
    recorder.order.clear();
    ASSERT_TRUE(h.pass());
    EXPECT_EQ(recorder.order, (std::vector<std::string>{
                                  "cpu", "memory", "network", "onTick", "processes", "diskFree",
                                  "diskTotal", "fans", "thermal", "battery", "gpu", "cpuHistory",
                                  "memHistory", "downHistory", "upHistory"}));
    EXPECT_EQ(h.monitor->gpuHistory(), QList<double>{40.0});
    EXPECT_FALSE(h.monitor->gpu());
    EXPECT_EQ(h.monitor->tempHistory(), QList<double>{50.0});
}

// A pass that was decided while the panel was closed but lands after it opened carries no GPU
// reading: the published GPU and its history stay as they were.
TEST(Monitor, snapshotWithoutGpuLeavesGpuUntouched)
{
    Harness h;
    h.monitor->setPublishingPaused(false);
    ASSERT_TRUE(h.waitForPass());
    ASSERT_TRUE(h.monitor->gpu());
    ASSERT_EQ(h.monitor->gpuHistory().size(), 1);

    h.monitor->setPublishingPaused(true);
    h.monitor->sample();                   // light pass in flight...
    h.monitor->setPublishingPaused(false); // ...the panel opens; its forced pass is dropped
    QSignalSpy gpu(h.monitor.get(), &Monitor::gpuChanged);
    QSignalSpy cpuHistory(h.monitor.get(), &Monitor::cpuHistoryChanged);
    ASSERT_TRUE(h.waitForPass());
    EXPECT_EQ(gpu.count(), 0);
    EXPECT_EQ(cpuHistory.count(), 1);
    EXPECT_EQ(h.monitor->gpuHistory().size(), 1);
    EXPECT_TRUE(h.monitor->gpu());
}

TEST(Monitor, historiesKeepTheLastNinetyPublishedValues)
{
    Harness h;
    h.monitor->setPublishingPaused(false);
    ASSERT_TRUE(h.waitForPass());
    for (int i = 0; i < 94; ++i) {
        h.fake.network->totals->received += 1024 * 2 * static_cast<quint64>(i);
        ASSERT_TRUE(h.pass());
    }
    EXPECT_EQ(h.monitor->tickCount(), 95);
    for (const QList<double>& history :
         {h.monitor->cpuHistory(), h.monitor->memHistory(), h.monitor->downHistory(),
          h.monitor->upHistory(), h.monitor->tempHistory(), h.monitor->gpuHistory()})
        EXPECT_EQ(history.size(), Monitor::kHistoryLength);
    EXPECT_DOUBLE_EQ(h.monitor->downHistory().last(), 93.0); // KiB/s of the last pass
    EXPECT_DOUBLE_EQ(h.monitor->downHistory().first(), 4.0);
    EXPECT_DOUBLE_EQ(h.monitor->memHistory().last(), 30.0);

    QList<double> values;
    for (double v : {1.0, 2.0, 3.0, 4.0, 5.0})
        Monitor::appendHistory(values, v, 3);
    EXPECT_EQ(values, (QList<double>{3.0, 4.0, 5.0}));
}

TEST(Monitor, uptimeFromBootTime)
{
    Harness h;
    h.fake.bootTime->bootTime = h.clock.unixNow() - 3600.0;
    EXPECT_EQ(h.monitor->uptime(), 0.0); // not started: boot time not read
    h.monitor->start();
    EXPECT_DOUBLE_EQ(h.monitor->uptime(), 3600.0);
    h.clock.advance(60.0);
    EXPECT_DOUBLE_EQ(h.monitor->uptime(), 3660.0);
    ASSERT_TRUE(h.waitForPass());

    h.fake.bootTime->bootTime.reset();
    h.monitor->setInterval(5.0); // reads the boot time again
    EXPECT_EQ(h.monitor->uptime(), 0.0);
    ASSERT_TRUE(h.waitForPass());
}

// Destroying the monitor while a pass runs waits for the pass and returns.
TEST(Monitor, destructionLetsAPassInFlightFinish)
{
    auto h = std::make_unique<Harness>();
    test::FakeCpuTicks* cpu = h->fake.cpu;
    int calls = -1;
    cpu->callsAtDestruction = &calls; // the monitor takes the fake with it
    cpu->holdNextRead();
    h->monitor->sample();
    for (int i = 0; i < 500 && !cpu->entered(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10)); // waiting for the worker
    ASSERT_TRUE(cpu->entered());
    std::thread releaser([cpu] { cpu->release(); });
    h->monitor.reset();
    releaser.join();
    EXPECT_EQ(calls, 1);
}

TEST(MonitorLog, lines)
{
    EXPECT_EQ(MonitorLog::sampleDuration(1.26, true),
              QStringLiteral("Sample duration: 1.3ms (scanProcesses=true)"));
    EXPECT_EQ(MonitorLog::sampleDuration(0.0, false),
              QStringLiteral("Sample duration: 0.0ms (scanProcesses=false)"));
    EXPECT_EQ(MonitorLog::tick(3, 12.345, 210, 5120.9),
              QStringLiteral("tick #3 cpu=12.3% processes=210 NET↓=5120B/s"));

    std::vector<qint64> durationCycles, tickCounts;
    for (qint64 n = 1; n <= 101; ++n) {
        if (MonitorLog::logsDuration(n))
            durationCycles.push_back(n);
        if (MonitorLog::logsTick(n))
            tickCounts.push_back(n);
    }
    EXPECT_EQ(durationCycles, (std::vector<qint64>{1, 31, 61, 91}));
    EXPECT_EQ(tickCounts, (std::vector<qint64>{1, 2, 3, 4, 5, 50, 100}));
}

// Runs in its own process under ctest; the log's verbose switch is read once per process.
TEST(MonitorLog, verboseLinesReachTheLog)
{
    QDir().mkpath(XdgPaths::appConfigDir());
    QFile prefs(XdgPaths::appConfigDir() + QStringLiteral("/preferences.json"));
    ASSERT_TRUE(prefs.open(QIODevice::WriteOnly | QIODevice::Truncate));
    prefs.write(R"({"verboseLog": true})");
    prefs.close();
    if (!Log::verboseEnabled())
        GTEST_SKIP() << "the log was set up by an earlier test in this process";

    Harness h;
    h.monitor->setPublishingPaused(false);
    ASSERT_TRUE(h.waitForPass());
    QFile log(Logger::shared().path());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("] Sample duration: 0.0ms (scanProcesses=true)\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("] tick #1 cpu=0.0% processes=1 NET↓=0B/s\n")))
        << text.toStdString();
}

TEST(Monitor, memoryPressureOfEveryPassReachesItsConsumerPanelClosedOrNot)
{
    Harness h;
    QList<PressureLevel> handed;
    TickConsumers consumers;
    consumers.memoryPressure = [&](PressureLevel level) { handed.append(level); };
    h.monitor->setTickConsumers(std::move(consumers));
    QSignalSpy changed(h.monitor.get(), &Monitor::memoryPressureChanged);

    h.fake.pressure->reading = PressureReading{12.0, 1.0, std::nullopt, std::nullopt};
    h.monitor->start(2.0); // panel closed: a light pass
    ASSERT_TRUE(h.waitForPass());
    h.fake.pressure->reading->someAvg10 = 11.0; // same level
    ASSERT_TRUE(h.pass());
    h.fake.pressure->reading.reset(); // unreadable: nothing handed on, the last level stays
    ASSERT_TRUE(h.pass());

    EXPECT_EQ(handed, (QList<PressureLevel>{PressureLevel::Warning, PressureLevel::Warning}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(h.monitor->memoryPressure(), PressureLevel::Warning);
}

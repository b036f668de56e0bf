// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real engine on this machine: real sources, real worker thread, real timer.

#include "app/sampling/Monitor.h"
#include "app/shell/MachineSources.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"

#include "tests/support/WaitFor.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/stat.h>

#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvanite;

namespace {

constexpr double kInterval = 0.5;

// Waits for `passes` more applied passes, driven by the monitor's own timer.
double totalAfterPasses(Monitor& monitor, int passes)
{
    QSignalSpy applied(&monitor, &Monitor::cpuChanged);
    while (applied.count() < passes) {
        if (!applied.wait(10000))
            return -1.0;
    }
    return monitor.cpu().total;
}

// The share of the whole machine this process's cgroup may use: cpu.max's quota over its period,
// per online processor, at most 1.
double cpuQuotaShare()
{
    QFile cgroup(QStringLiteral("/proc/self/cgroup"));
    if (!cgroup.open(QIODevice::ReadOnly))
        return 1.0;
    QString path;
    for (const QByteArray& line : cgroup.readAll().split('\n')) {
        if (line.startsWith("0::"))
            path = QString::fromUtf8(line.mid(3));
    }
    // Limits of every ancestor apply; the tightest one counts.
    double share = 1.0;
    const double cpus = static_cast<double>(sysconf(_SC_NPROCESSORS_ONLN));
    for (QString dir = path; !dir.isEmpty(); dir = dir.section(QLatin1Char('/'), 0, -2)) {
        QFile max(QStringLiteral("/sys/fs/cgroup") + dir + QStringLiteral("/cpu.max"));
        if (!max.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> fields = max.readAll().simplified().split(' ');
        bool quotaOk = false;
        bool periodOk = false;
        const double quota = fields.value(0).toDouble(&quotaOk);
        const double period = fields.value(1).toDouble(&periodOk);
        if (quotaOk && periodOk && period > 0)
            share = std::min(share, quota / period / cpus);
    }
    return share;
}

// Children that spin until killed, one per online processor.
class Spinners {
public:
    Spinners()
    {
        const long count = sysconf(_SC_NPROCESSORS_ONLN);
        for (long i = 0; i < count; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            if (pid > 0)
                m_pids.push_back(pid);
        }
    }
    ~Spinners()
    {
        for (pid_t pid : m_pids) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    std::size_t count() const { return m_pids.size(); }

private:
    std::vector<pid_t> m_pids;
};

} // namespace

TEST(MonitorOnThisMachine, realPassesPublishRealReadings)
{
    Monitor monitor(machineSources(), Clock::system(), MonitorPolicy{});
    monitor.start(kInterval);
    ASSERT_GE(totalAfterPasses(monitor, 3), 0.0);

    EXPECT_EQ(monitor.cpu().perCore.size(), sysconf(_SC_NPROCESSORS_ONLN));
    EXPECT_GT(monitor.memory().total, 0u);
    EXPECT_GT(monitor.memory().usageFraction(), 0.0);
    EXPECT_GT(monitor.uptime(), 0.0);
    EXPECT_GE(monitor.network().downBps, 0.0);
    EXPECT_EQ(monitor.diskTotalBytes(), 0u); // closed panel: no heavy readings published

    QSignalSpy disk(&monitor, &Monitor::diskTotalBytesChanged);
    monitor.setPublishingPaused(false);
    ASSERT_TRUE(disk.wait(10000));
    EXPECT_GT(monitor.diskTotalBytes(), 0u);
    EXPECT_GE(monitor.diskTotalBytes(), monitor.diskFreeBytes());
}

TEST(MonitorOnThisMachine, busyChildrenRaiseTheTotal)
{
    Monitor monitor(machineSources(), Clock::system(), MonitorPolicy{});
    monitor.start(kInterval);
    const double idle = totalAfterPasses(monitor, 3);
    ASSERT_GE(idle, 0.0);

    double busy = 0.0;
    {
        Spinners spinners;
        ASSERT_GT(spinners.count(), 0u);
        // The first pass after the fork straddles the start; the second covers only busy time.
        busy = totalAfterPasses(monitor, 2);
    }
    // Every processor is spinning, so the machine is near saturation whatever else runs; under
    // a CPU quota the spinners get only the quota's share of the machine.
    const double reachable = cpuQuotaShare() * 100.0;
    EXPECT_GT(busy, 0.8 * reachable) << "quota share " << reachable;
    EXPECT_GE(busy, std::min(idle + 0.1 * reachable, 0.9 * reachable))
        << "idle " << idle << " busy " << busy;
    for (double core : monitor.cpu().perCore)
        EXPECT_GT(core, 0.5 * reachable);
}

// A reader that hangs: the CPU reader pointed at a root whose proc/stat is a FIFO nobody writes,
// so its open blocks on the worker thread until the test opens the other end. Meanwhile the main
// thread serves its events, every tick is dropped and none queues up behind the hung pass; once
// released, that one pass is published and the timer's own ticks sample again, one pass each.
TEST(MonitorOnThisMachine, aHungReaderStallsOnlyTheWorker)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("proc")));
    const QByteArray stat = QFile::encodeName(root.filePath(QStringLiteral("proc/stat")));
    ASSERT_EQ(::mkfifo(stat.constData(), 0600), 0);
    SystemSources sources;
    sources.cpu = std::make_unique<LinuxCpuTicks>(root.path());
    sources.memory = std::make_unique<LinuxMemoryStats>();
    FakeClock clock;
    using test::waitFor;
    Monitor monitor(std::move(sources), clock, MonitorPolicy{});
    int release = -1;
    // Whatever happens, the worker is not left hanging for the monitor's destructor to wait on
    // (the guard goes before the monitor does).
    const auto unblock = [&] {
        if (release == -1)
            release = ::open(stat.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        return release >= 0;
    };
    struct Guard {
        std::function<bool()> f;
        ~Guard() { f(); }
    } guard{unblock};

    QList<qint64> publishedCycles;
    std::optional<bool> busyRightAfterFirst;
    QObject::connect(&monitor, &Monitor::cpuChanged, &monitor, [&] {
        publishedCycles.append(monitor.cycle());
        // A tick remembered while the pass hung would start its pass straight after this one.
        if (publishedCycles.size() == 1)
            QTimer::singleShot(0, &monitor, [&] { busyRightAfterFirst = monitor.isSampling(); });
    });

    monitor.start(Monitor::kMinimumInterval); // the first pass starts now and hangs
    auto* timer = monitor.findChild<QTimer*>(QStringLiteral("samplingTimer"));
    ASSERT_NE(timer, nullptr);
    int ticks = 0;
    QObject::connect(timer, &QTimer::timeout, &monitor, [&] { ++ticks; });
    QElapsedTimer sinceBeat;
    qint64 longestGapMs = 0;
    int beats = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        if (beats++ > 0)
            longestGapMs = std::max(longestGapMs, sinceBeat.elapsed());
        sinceBeat.restart();
    });
    heartbeat.start(20);

    ASSERT_TRUE(waitFor([&] { return ticks >= 4; }, 10000));
    for (int i = 0; i < 3; ++i) {
        clock.advance(1.0);
        monitor.sample();
    }
    EXPECT_TRUE(monitor.isSampling());
    EXPECT_EQ(monitor.cycle(), 1);
    EXPECT_TRUE(publishedCycles.isEmpty());
    EXPECT_GE(beats, 10); // about 50 at 20 ms over four 250 ms ticks
    std::printf("hung reader: %d ticks dropped, main-thread timer fired %d times, longest gap "
                "%lld ms\n",
                ticks + 3, beats, static_cast<long long>(longestGapMs));

    // Released: the reader gets its file (the FIFO itself cannot be read at an offset, so this
    // one reading comes back empty), and later passes read a real file in its place.
    ASSERT_TRUE(unblock());
    QFile real(QStringLiteral("/proc/stat"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    QFile replacement(root.filePath(QStringLiteral("proc/stat.new")));
    ASSERT_TRUE(replacement.open(QIODevice::WriteOnly));
    replacement.write(real.readAll());
    replacement.close();
    ASSERT_TRUE(waitFor([&] { return !publishedCycles.isEmpty(); }, 10000));
    ASSERT_EQ(::rename(QFile::encodeName(replacement.fileName()).constData(), stat.constData()), 0);
    EXPECT_EQ(publishedCycles, QList<qint64>{1});
    ASSERT_TRUE(waitFor([&] { return busyRightAfterFirst.has_value(); }));
    EXPECT_FALSE(*busyRightAfterFirst);

    const int ticksAtRelease = ticks;
    ASSERT_TRUE(waitFor([&] { return publishedCycles.size() >= 4; }, 10000));
    EXPECT_EQ(publishedCycles.mid(0, 4), (QList<qint64>{1, 2, 3, 4}));
    // Each later pass was started by a tick of its own: no backlog was replayed.
    EXPECT_GE(ticks - ticksAtRelease, 3);
    EXPECT_EQ(timer->interval(), 250);
    EXPECT_TRUE(timer->isActive());
    ::close(release);
    release = -2; // closed; the guard has nothing left to do
}

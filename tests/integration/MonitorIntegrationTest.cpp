// The real engine on this machine: real sources, real worker thread, real timer.

#include "app/sampling/Monitor.h"
#include "app/shell/MachineSources.h"
#include "platform/Clock.h"

#include <QSignalSpy>

#include <QFile>

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

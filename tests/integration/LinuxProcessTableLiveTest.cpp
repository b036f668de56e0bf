// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessScanner.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxProcessTable.h"
#include "tests/support/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::ChildProcess;

namespace {

QSet<qint32> psPids()
{
    QProcess ps;
    ps.start(QStringLiteral("ps"),
             {QStringLiteral("-e"), QStringLiteral("-o"), QStringLiteral("pid=")});
    ps.waitForFinished(10000);
    QSet<qint32> pids;
    for (const QByteArray& line : ps.readAllStandardOutput().split('\n')) {
        bool ok = false;
        const int pid = line.trimmed().toInt(&ok);
        if (ok)
            pids.insert(pid);
    }
    pids.remove(static_cast<qint32>(ps.processId()));
    return pids;
}

// Time the process's threads spent on a CPU, from the scheduler's own account (other files
// than the one the table reads).
double schedulerSeconds(pid_t pid)
{
    double total = 0.0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task) + QStringLiteral("/schedstat"));
        if (file.open(QIODevice::ReadOnly))
            total += file.readAll().split(' ').value(0).toDouble() / 1e9;
    }
    return total;
}

// A child of this test that keeps `threads` threads busy until it is killed.
pid_t spinningChild(int threads)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        static std::atomic<unsigned long> work{0};
        for (int i = 1; i < threads; ++i)
            std::thread([] {
                for (;;)
                    work.fetch_add(1, std::memory_order_relaxed);
            }).detach();
        for (;;)
            work.fetch_add(1, std::memory_order_relaxed);
    }
    return pid;
}

double percentOf(const ProcessScanner::Result& result, qint32 pid)
{
    for (const ProcessSample& p : result.processes) {
        if (p.pid == pid)
            return p.cpuPercent;
    }
    return -1.0;
}

} // namespace

TEST(LinuxProcessTableLive, listsTheSamePidsAsPs)
{
    LinuxProcessTable table;
    QHash<qint32, QString> names;
    const QSet<qint32> before = psPids();
    QSet<qint32> scanned;
    for (const RawProcess& p : table.readProcessesRaw(names))
        scanned.insert(p.pid);
    const QSet<qint32> after = psPids();
    // Processes born or ended between the readings may be in one list only.
    const QSet<qint32> stable = QSet<qint32>(before).intersect(after);
    const QSet<qint32> either = QSet<qint32>(before).unite(after);
    EXPECT_TRUE(QSet<qint32>(stable).subtract(scanned).isEmpty())
        << "missing from the scan: " << QSet<qint32>(stable).subtract(scanned).size();
    QSet<qint32> extra = QSet<qint32>(scanned).subtract(either);
    extra.remove(static_cast<qint32>(::getpid()));
    EXPECT_LE(extra.size(), 2) << "pids only the scan saw";
    EXPECT_EQ(names.value(static_cast<qint32>(::getpid())),
              QStringLiteral("corvanite_integration_tests").left(names.value(::getpid()).size()));
    EXPECT_TRUE(names.value(::getpid()).startsWith(QStringLiteral("corvanite_integ")));
}

TEST(LinuxProcessTableLive, busyChildrenReadTheirCoresWorth)
{
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        const pid_t child = spinningChild(threads);
        ASSERT_GT(child, 0);
        LinuxProcessTable table;
        ProcessScanner scanner;
        const Clock& clock = Clock::system();
        QThread::msleep(100); // let the threads start
        scanner.scan(clock.monotonic(), table);
        const double cpuBefore = schedulerSeconds(child);
        const double t0 = clock.monotonic();
        QThread::msleep(1000); // a measurement over real time, not a timed rule
        const ProcessScanner::Result result = scanner.scan(clock.monotonic(), table);
        const double expected =
            (schedulerSeconds(child) - cpuBefore) / (clock.monotonic() - t0) * 100.0;
        const double percent = percentOf(result, child);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        std::cout << threads << " busy thread(s): " << percent << " % (scheduler: " << expected
                  << " %)\n";
        // The table's figure agrees with the scheduler's; on an idle machine both are the
        // threads' full share (the machine is shared, so that is only checked when it holds).
        EXPECT_NEAR(percent, expected, 12.0);
        if (expected > 90.0 * threads) {
            EXPECT_NEAR(percent, 100.0 * threads, 20.0);
        }
    }
}

TEST(LinuxProcessTableLive, descriptorsOfEndedProcessesAreClosed)
{
    LinuxProcessTable table;
    QHash<qint32, QString> names;
    table.readProcessesRaw(names);
    const std::size_t open = table.openFiles();
    EXPECT_LE(open, table.maxOpenFiles());
    {
        ChildProcess child({QStringLiteral("sleep"), QStringLiteral("60")});
        table.readProcessesRaw(names);
        EXPECT_TRUE(names.contains(child.pid()));
    }
    const std::vector<RawProcess> raw = table.readProcessesRaw(names);
    EXPECT_LE(table.openFiles(), raw.size());
}

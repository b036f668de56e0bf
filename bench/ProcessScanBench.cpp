// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the process scan against the floor it is measured by: a bare loop that opens, reads
// and closes /proc/<pid>/stat for the same pids. Both run at the machine's own process count
// (argument 0) and with 1,000 and 5,000 extra idle children (arguments 1000, 5000). Budget: Scan no
// slower than Bare, and no allocation per process once names are cached. PanelList is what the
// open panel does on the main thread with a scanned table on each refresh: rank it (memory order,
// which filters nothing) and cut the shown rows; it must stay far below a frame with 5,000 more
// processes.

#include "app/process/ProcessListBuilder.h"
#include "app/sampling/ProcessScanner.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxProcessTable.h"

#include "bench/AllocationCounter.h"

#include <benchmark/benchmark.h>

#include <QDir>

#include <atomic>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace corvanite;

namespace {

// Idle children that only wait to be killed.
class IdleChildren {
public:
    explicit IdleChildren(int count)
    {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                for (;;)
                    ::pause();
            }
            if (pid > 0)
                m_pids.push_back(pid);
        }
    }
    ~IdleChildren()
    {
        for (pid_t pid : m_pids)
            ::kill(pid, SIGKILL);
        for (pid_t pid : m_pids)
            ::waitpid(pid, nullptr, 0);
    }

private:
    std::vector<pid_t> m_pids;
};

std::vector<int> procPids()
{
    std::vector<int> pids;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = name.toInt(&ok);
        if (ok && pid > 0)
            pids.push_back(pid);
    }
    return pids;
}

void perProcess(benchmark::State& state, std::size_t processes)
{
    state.counters["processes"] = static_cast<double>(processes);
    state.counters["per_process"] = benchmark::Counter(
        static_cast<double>(processes),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

static void BM_Scan(benchmark::State& state)
{
    IdleChildren children(static_cast<int>(state.range(0)));
    LinuxProcessTable table;
    ProcessScanner scanner;
    const Clock& clock = Clock::system();
    scanner.scan(clock.monotonic(), table); // names are cached from here on
    std::size_t processes = 0;
    const long before = s_allocations;
    for (auto _ : state) {
        const ProcessScanner::Result result = scanner.scan(clock.monotonic(), table);
        processes = static_cast<std::size_t>(result.processes.size());
        benchmark::DoNotOptimize(result.processes.data());
    }
    state.counters["allocs/scan"] = benchmark::Counter(static_cast<double>(s_allocations - before),
                                                       benchmark::Counter::kAvgIterations);
    state.counters["kept_open"] = static_cast<double>(table.openFiles());
    perProcess(state, processes);
}
BENCHMARK(BM_Scan)->Arg(0)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

static void BM_Bare(benchmark::State& state)
{
    IdleChildren children(static_cast<int>(state.range(0)));
    const std::vector<int> pids = procPids();
    std::vector<std::vector<char>> paths;
    for (int pid : pids) {
        const std::string path = "/proc/" + std::to_string(pid) + "/stat";
        paths.emplace_back(path.begin(), path.end());
        paths.back().push_back('\0');
    }
    char buffer[1024];
    for (auto _ : state) {
        for (const std::vector<char>& path : paths) {
            const int fd = ::open(path.data(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                continue;
            benchmark::DoNotOptimize(::read(fd, buffer, sizeof buffer));
            ::close(fd);
        }
    }
    perProcess(state, pids.size());
}
BENCHMARK(BM_Bare)->Arg(0)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

static void BM_PanelList(benchmark::State& state)
{
    IdleChildren children(static_cast<int>(state.range(0)));
    LinuxProcessTable table;
    ProcessScanner scanner;
    const QList<ProcessSample> processes =
        scanner.scan(Clock::system().monotonic(), table).processes;
    ProcessListBuilder::Lookups lookups;
    lookups.isPaused = [](qint32) { return false; };
    lookups.partition = [](const QList<ProcessSample>& list) { return list; };
    for (auto _ : state) {
        const QList<ProcessSample> built =
            ProcessListBuilder::build(processes, {}, ProcessSortMode::Memory, QString(), lookups);
        benchmark::DoNotOptimize(ProcessListBuilder::rows(built, 8, ProcessSortMode::Memory));
    }
    perProcess(state, static_cast<std::size_t>(processes.size()));
}
BENCHMARK(BM_PanelList)->Arg(0)->Arg(5000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

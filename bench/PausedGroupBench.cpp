// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What keeping one paused group costs the main thread on every scanning pass (reconcile) and
// what the pause action's checks cost (canPause and the group's protected-member check), on the
// machine's own processes. LeadStopped is the usual case: the lead's own threads answer.
// MemberStopped is the worst: someone continued the lead, a member is still stopped, and the
// group is found by reading every process's stat line. Budget: LeadStopped far below 1 ms;
// MemberStopped and the pause checks no slower than one process scan.

#include "app/process/PauseManager.h"
#include "platform/Clock.h"
#include "platform/FrontmostApplication.h"
#include "platform/Preferences.h"
#include "platform/linux/LinuxProcessInfo.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvanite;

namespace {

// A process group of a lead and one member that only wait to be killed.
struct IdleGroup {
    pid_t lead = -1;
    pid_t member = -1;
    IdleGroup()
    {
        lead = ::fork();
        if (lead == 0) {
            ::setpgid(0, 0);
            for (;;)
                ::pause();
        }
        ::setpgid(lead, lead);
        member = ::fork();
        if (member == 0) {
            ::setpgid(0, lead);
            for (;;)
                ::pause();
        }
        ::setpgid(member, lead);
    }
    ~IdleGroup()
    {
        ::kill(-lead, SIGKILL);
        ::kill(-lead, SIGCONT);
        ::waitpid(lead, nullptr, 0);
        ::waitpid(member, nullptr, 0);
    }
};

struct Paused {
    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("prefs.json"))};
    FakeClock clock;
    LinuxProcessInfo info;
    PosixProcessSignals signaller;
    NoFrontmostApplication frontmost;
    IdleGroup group;
    PauseManager manager{PauseManager::Dependencies{&info, &signaller, &prefs, &clock, &frontmost,
                                                    [](int, std::function<void()>) {}}};

    bool stopped(pid_t pid) const { return info.hasStoppedThread(pid); }
};

void reconcileWith(benchmark::State& state, bool continueLead)
{
    Paused p;
    if (!p.manager.pause(p.group.member, QStringLiteral("idle"))) {
        state.SkipWithError("the group could not be paused");
        return;
    }
    while (!p.stopped(p.group.lead) || !p.stopped(p.group.member))
        ::usleep(1000);
    if (continueLead) {
        ::kill(p.group.lead, SIGCONT);
        while (p.stopped(p.group.lead))
            ::usleep(1000);
    }
    for (auto _ : state) {
        p.manager.reconcile();
        benchmark::DoNotOptimize(p.manager.paused());
    }
    if (p.manager.paused().size() != 1)
        state.SkipWithError("the record was dropped");
    p.manager.resumeAll();
}

void BM_ReconcileLeadStopped(benchmark::State& state)
{
    reconcileWith(state, false);
}
BENCHMARK(BM_ReconcileLeadStopped)->Unit(benchmark::kMicrosecond);

void BM_ReconcileMemberStopped(benchmark::State& state)
{
    reconcileWith(state, true);
}
BENCHMARK(BM_ReconcileMemberStopped)->Unit(benchmark::kMicrosecond);

void BM_PauseChecks(benchmark::State& state)
{
    Paused p;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.manager.canPause(p.group.lead, QStringLiteral("idle")));
        benchmark::DoNotOptimize(p.manager.protectingMember(p.group.lead));
    }
}
BENCHMARK(BM_PauseChecks)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The pause and resume log lines go to a folder of the run's own, not the user's log.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", state.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessTerminator.h"
#include "app/process/PauseFlow.h"
#include "app/process/PauseManager.h"
#include "app/process/TerminationFlow.h"
#include "app/sampling/ProcessDetailReader.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/LogWatch.h"
#include "tests/support/RealProcessControl.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace corvanite;
using namespace corvanite::test;

namespace {

bool isSleeping(char s)
{
    return s == 'S';
}

} // namespace

TEST(ProcessTerminator, aChildThatIgnoresSigtermIsKilledAfterTheEscalation)
{
    LinuxProcessInfo info;
    PosixProcessSignals signaller;
    CapturedCalls later;
    ProcessTerminator terminator(info, signaller, later.delayedCall());
    ChildProcess stubborn({QStringLiteral("sleep"), QStringLiteral("60")},
                          ChildProcess::Options{true, true});
    ASSERT_TRUE(ChildProcess::waitForState(stubborn.pid(), isSleeping));

    ASSERT_TRUE(terminator.terminate(stubborn.pid()));
    ASSERT_EQ(later.jobs.size(), 1);
    EXPECT_EQ(later.jobs.first().first, 3000);
    EXPECT_FALSE(stubborn.waitForEnd(200).has_value()); // SIGTERM had no effect
    LogWatch log;
    later.runAll();
    EXPECT_EQ(stubborn.waitForEnd(), SIGKILL);
    EXPECT_TRUE(log.lines().contains(
        QStringLiteral("SIGTERM had no effect; escalated to SIGKILL: %1").arg(stubborn.pid())));
}

TEST(ProcessTerminator, aChildThatHonoursSigtermIsNotEscalated)
{
    LinuxProcessInfo info;
    PosixProcessSignals signaller;
    CapturedCalls later;
    ProcessTerminator terminator(info, signaller, later.delayedCall());
    ChildProcess polite({QStringLiteral("sleep"), QStringLiteral("60")});
    ASSERT_TRUE(ChildProcess::waitForState(polite.pid(), isSleeping));
    ASSERT_TRUE(terminator.terminate(polite.pid()));
    EXPECT_EQ(polite.waitForEnd(), SIGTERM);
    LogWatch log;
    later.runAll(); // the pid is gone: nothing is sent, nothing logged
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST(ProcessTerminator, aPidReusedWithinTheDelayIsNotKilled)
{
    FakeProcessInfo info;
    FakeProcessSignals signaller(info);
    CapturedCalls later;
    ProcessTerminator terminator(info, signaller, later.delayedCall());
    info.add(700, 700, 1000);
    ASSERT_TRUE(terminator.terminate(700));
    info.add(700, 700, 1003); // another process now has the pid
    later.runAll();
    EXPECT_EQ(signaller.sent, (QList<std::pair<qint32, int>>{{700, SIGTERM}, {700, 0}}));

    // Without a start time before SIGTERM there is never an escalation.
    info.processes.remove(800);
    signaller.sent.clear();
    ASSERT_TRUE(terminator.terminate(800));
    later.runAll();
    EXPECT_EQ(signaller.sent, (QList<std::pair<qint32, int>>{{800, SIGTERM}}));
}

TEST(ProcessTerminator, protectedProcessesAreNotKillable)
{
    FakeProcessInfo info;
    FakeProcessSignals signaller(info);
    ProcessTerminator terminator(info, signaller, [](int, std::function<void()>) {});
    struct Case {
        qint32 pid;
        const char* name;
        bool killable;
    };
    const Case cases[] = {
        {0, "x", false},
        {1, "init", false},
        {signaller.self, "me", false},
        {900, "launchd", false},
        {900, "powerd", false},
        {900, "powerd --daemon", false},
        {900, " powerd", false},
        {900, "Powerd", true},
        {900, "my powerd", true},
        {900, "editor", true},
        {900, "", true},
        // The Linux desktop's own: the display server, compositor, bus and service manager.
        {900, "Xorg", false},
        {900, "gnome-shell", false},
        {900, "dbus-daemon", false},
        {900, "systemd", false},
        {900, "systemd --user", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(terminator.isKillable(c.pid, QString::fromUtf8(c.name)), c.killable) << c.pid;
    }
    EXPECT_FALSE(terminator.terminate(1));
    EXPECT_FALSE(terminator.terminate(0));
    EXPECT_FALSE(terminator.terminate(signaller.self));
    EXPECT_TRUE(signaller.sent.isEmpty());
}

TEST(TerminationFlow, confirmationAlwaysAndCancel)
{
    FakeProcessInfo info;
    FakeProcessSignals signaller(info);
    CapturedCalls later;
    ProcessTerminator terminator(info, signaller, later.delayedCall());
    QStringList whitelist;
    Preauthorization pre{[&](const QString& n) { return whitelist.contains(n); },
                         [&](const QString& n) {
                             if (!whitelist.contains(n))
                                 whitelist.append(n);
                         }};
    int collapsed = 0;
    TerminationFlow glass(TerminationFlow::Skin::Glass, terminator, pre, [&] { ++collapsed; });
    EXPECT_TRUE(glass.title().isEmpty());

    glass.request(900, QStringLiteral("Editor"));
    EXPECT_TRUE(glass.dialogShown());
    EXPECT_FALSE(glass.title().isEmpty());
    glass.cancel();
    EXPECT_TRUE(signaller.sent.isEmpty());
    EXPECT_TRUE(glass.pending().has_value()); // stays until the next request

    LogWatch log;
    glass.request(900, QStringLiteral("Editor"));
    glass.confirmAlways();
    EXPECT_EQ(whitelist, QStringList{QStringLiteral("Editor")});
    EXPECT_EQ(signaller.sent, (QList<std::pair<qint32, int>>{{900, SIGTERM}}));
    EXPECT_EQ(collapsed, 1);
    EXPECT_FALSE(glass.pending().has_value());
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("Requested process termination: Editor (900)")));

    // The name is pre-authorised now: no dialog. A name in other letter case is not.
    glass.request(901, QStringLiteral("Editor"));
    EXPECT_FALSE(glass.dialogShown());
    EXPECT_EQ(signaller.sent.size(), 2);
    glass.request(902, QStringLiteral("editor"));
    EXPECT_TRUE(glass.dialogShown());
    glass.confirmAlways();
    glass.request(903, QStringLiteral("Editor"));
    EXPECT_EQ(whitelist.count(QStringLiteral("Editor")), 1);

    // A refused SIGTERM keeps the row and logs the skin's line.
    signaller.failWith = ESRCH;
    TerminationFlow vitals(TerminationFlow::Skin::Vitals, terminator, pre, [&] { ++collapsed; });
    vitals.request(950, QStringLiteral("gone"));
    vitals.confirm();
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Process termination failed: gone (950)")));
    glass.request(950, QStringLiteral("gone"));
    glass.confirm();
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Failed to terminate process: gone (950)")));
    EXPECT_EQ(collapsed, 4);

    // A protected name is refused even when a caller skips the check, and so is our own pid.
    signaller.failWith = 0;
    signaller.sent.clear();
    whitelist = {QStringLiteral("launchd"), QStringLiteral("me")};
    glass.request(960, QStringLiteral("launchd"));
    glass.request(signaller.self, QStringLiteral("me"));
    FindingTerminationFlow card(terminator, pre);
    card.request(960, QStringLiteral("launchd"));
    EXPECT_TRUE(signaller.sent.isEmpty());
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Failed to terminate process: launchd (960)")));
}

TEST(FindingTerminationFlow, asksUnlessPreauthorisedAndLogsOnlySuccess)
{
    FakeProcessInfo info;
    FakeProcessSignals signaller(info);
    CapturedCalls later;
    ProcessTerminator terminator(info, signaller, later.delayedCall());
    QStringList whitelist{QStringLiteral("Known")};
    FindingTerminationFlow card(terminator,
                                {[&](const QString& n) { return whitelist.contains(n); },
                                 [&](const QString& n) { whitelist.append(n); }});
    LogWatch log;
    card.request(900, QStringLiteral("Known"));
    EXPECT_FALSE(card.dialogShown());
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("Diagnostics card terminated process: Known (900)")));
    card.request(901, QStringLiteral("Hog"));
    EXPECT_TRUE(card.dialogShown());
    EXPECT_FALSE(card.title().isEmpty());
    card.cancel();
    EXPECT_FALSE(card.pending().has_value());
    card.request(901, QStringLiteral("Hog"));
    card.confirmAlways();
    EXPECT_EQ(whitelist, (QStringList{QStringLiteral("Known"), QStringLiteral("Hog")}));
    EXPECT_EQ(signaller.sent, (QList<std::pair<qint32, int>>{{900, SIGTERM}, {901, SIGTERM}}));
}

// A zombie has ended and a kernel thread ignores signals: neither is offered terminate or
// pause, and a process that ended on SIGTERM but waits for its parent to reap it counts as
// ended, not as one that ignored SIGTERM.
TEST(ProcessTerminator, zombiesAndKernelThreadsAreLeftAlone)
{
    RealProcessControl c;
    auto pause = c.pauseManager();

    // The parent execs a sleep that never reaps its child.
    const QString pidFile = c.dir.filePath(QStringLiteral("child"));
    ChildProcess parent({QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("sleep 60 & echo $! > \"$0\"; exec sleep 600"), pidFile});
    const qint32 child = ChildProcess::readPid(pidFile);
    ASSERT_GT(child, 0);
    ASSERT_TRUE(ChildProcess::waitForState(child, isSleeping));
    ASSERT_TRUE(c.terminator.isKillable(child, QStringLiteral("sleep")));
    ASSERT_TRUE(c.terminator.terminate(child));
    ASSERT_TRUE(ChildProcess::waitForState(child, [](char s) { return s == 'Z'; }));
    LogWatch log;
    c.later.runAll();
    EXPECT_TRUE(log.lines().isEmpty()); // no "SIGTERM had no effect"

    // The zombie, kthreadd and one of its kernel threads.
    struct Case {
        qint32 pid;
        bool zombie;
    };
    QList<Case> cases{{child, true}};
    if (c.info.status(2))
        cases.append({2, false});
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const std::optional<ProcessStatus> s = c.info.status(entry.toInt());
        if (s && s->parentPid == 2) {
            cases.append({s->pid, false});
            break;
        }
    }
    for (const Case& k : cases) {
        SCOPED_TRACE(k.pid);
        const std::optional<ProcessDetail> detail =
            ProcessDetailReader::read(c.info, k.pid, QStringLiteral("name"));
        ASSERT_TRUE(detail.has_value());
        EXPECT_EQ(detail->zombie, k.zombie);
        EXPECT_EQ(detail->kernelThread, !k.zombie);
        EXPECT_FALSE(c.terminator.isKillable(k.pid, QStringLiteral("name")));
        EXPECT_FALSE(pause->canPause(k.pid, QStringLiteral("name")));
    }
    if (cases.size() == 1)
        GTEST_SKIP() << "no kernel thread is visible in this pid namespace";
}

// The detail view read the process at expansion; before its terminate or pause sends
// anything, the pid must still be that process (a pid reused meanwhile is left alone).
TEST(ProcessTerminator, aPidReusedWhileTheDetailIsOpenIsNotSignalled)
{
    QTemporaryDir dir;
    Preferences prefs(dir.filePath(QStringLiteral("prefs.json")));
    FakeClock clock;
    FakeFrontmost frontmost;
    FakeProcessInfo info;
    FakeProcessSignals signaller(info);
    CapturedCalls later;
    ProcessTerminator terminator(info, signaller, later.delayedCall());
    PauseManager pause(PauseManager::Dependencies{&info, &signaller, &prefs, &clock, &frontmost,
                                                  later.delayedCall()});
    TerminationFlow kill(TerminationFlow::Skin::Glass, terminator,
                         {[](const QString&) { return false; }, [](const QString&) {}});
    PauseFlow pauseFlow(pause);
    info.add(700, 700, 1000); // what the detail showed: started at tick 1000
    const quint64 shownStart = info.status(700)->startTicks;
    info.add(700, 700, 1003); // the process ended and a new one got its pid

    LogWatch log;
    kill.request(700, QStringLiteral("editor"), shownStart);
    kill.confirm();
    pauseFlow.request(700, QStringLiteral("editor"), shownStart);
    pauseFlow.confirm();
    EXPECT_TRUE(signaller.sent.isEmpty());
    EXPECT_TRUE(pause.paused().isEmpty());
    EXPECT_TRUE(log.lines().contains(QStringLiteral("Failed to terminate process: editor (700)")));

    // The process the detail showed is still there: both reach it.
    const quint64 current = info.status(700)->startTicks;
    kill.request(700, QStringLiteral("editor"), current);
    kill.confirm();
    pauseFlow.request(700, QStringLiteral("editor"), current);
    pauseFlow.confirm();
    EXPECT_EQ(signaller.sent, (QList<std::pair<qint32, int>>{{700, SIGTERM}, {-700, SIGSTOP}}));
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseManager.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/LogWatch.h"
#include "tests/support/RealProcessControl.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace corvanite;
using namespace corvanite::test;

namespace {

bool isStopped(char s)
{
    return s == 'T';
}
bool isRunningOrSleeping(char s)
{
    return s == 'S' || s == 'R';
}

} // namespace

TEST(PauseManagerProcesses, pauseStopsTheWholeGroupAndResumeContinuesIt)
{
    RealProcessControl h;
    // sh leads the group; its sleep child is a member of the same group.
    ChildProcess leader({QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("sleep 60 & echo started; wait")});
    ASSERT_TRUE(leader.started());
    ASSERT_TRUE(ChildProcess::waitForState(leader.pid(), isRunningOrSleeping));
    auto manager = h.pauseManager();
    LogWatch log;

    ASSERT_TRUE(manager->pause(leader.pid(), QStringLiteral("sh")));
    EXPECT_TRUE(ChildProcess::waitForState(leader.pid(), isStopped));
    ASSERT_EQ(manager->paused().size(), 1);
    const PausedGroup record = manager->paused().first();
    EXPECT_EQ(record.pgid, leader.pid());
    EXPECT_EQ(record.leadPid, leader.pid());
    EXPECT_EQ(record.name, QStringLiteral("sh"));
    EXPECT_EQ(record.at, h.clock.now());
    EXPECT_TRUE(manager->isWatching());
    EXPECT_EQ(manager->entry(leader.pid()), record);
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("Paused app group: sh pgid=%1").arg(leader.pid())));
    // What is stored is what a relaunch reads back.
    EXPECT_EQ(PausedGroup::decode(*h.prefs.dataValue(PauseManager::kStoreKey)),
              QList<PausedGroup>{record});

    // A second member of the same group is already paused.
    EXPECT_FALSE(manager->pause(leader.pid(), QStringLiteral("sh")));

    manager->resume(record);
    EXPECT_TRUE(ChildProcess::waitForState(leader.pid(), isRunningOrSleeping));
    EXPECT_TRUE(manager->paused().isEmpty());
    EXPECT_FALSE(manager->isWatching());
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("Resumed app group: sh pgid=%1").arg(leader.pid())));
}

TEST(PauseManagerProcesses, pausingAMemberRecordsTheLiveLeader)
{
    RealProcessControl h;
    ChildProcess leader({QStringLiteral("sh"), QStringLiteral("-c"),
                         QStringLiteral("sleep 60 & echo $! > \"$0\"; wait"),
                         h.dir.filePath(QStringLiteral("member"))});
    const qint32 memberPid = ChildProcess::readPid(h.dir.filePath(QStringLiteral("member")));
    ASSERT_GT(memberPid, 0);
    auto manager = h.pauseManager();
    ASSERT_TRUE(manager->pause(memberPid, QStringLiteral("sleep")));
    EXPECT_EQ(manager->paused().first().leadPid, leader.pid());
    EXPECT_EQ(manager->paused().first().name, QStringLiteral("sh"));
    EXPECT_TRUE(ChildProcess::waitForState(memberPid, isStopped));
    manager->resumeAll();
    EXPECT_TRUE(ChildProcess::waitForState(memberPid, isRunningOrSleeping));
}

TEST(PauseManagerProcesses, aGroupContinuedBySomeoneElseDropsOutAtReconcile)
{
    RealProcessControl h;
    ChildProcess a({QStringLiteral("sleep"), QStringLiteral("60")});
    ChildProcess b({QStringLiteral("sleep"), QStringLiteral("60")});
    ASSERT_TRUE(ChildProcess::waitForState(a.pid(), isRunningOrSleeping));
    ASSERT_TRUE(ChildProcess::waitForState(b.pid(), isRunningOrSleeping));
    auto manager = h.pauseManager();
    ASSERT_TRUE(manager->pause(a.pid(), QStringLiteral("sleep")));
    ASSERT_TRUE(manager->pause(b.pid(), QStringLiteral("sleep")));
    // A stop signal takes effect a moment after it is sent; reconcile must see both stopped.
    ASSERT_TRUE(ChildProcess::waitForState(a.pid(), isStopped));
    ASSERT_TRUE(ChildProcess::waitForState(b.pid(), isStopped));

    ::kill(-a.pid(), SIGCONT); // another tool thaws the first group
    ASSERT_TRUE(ChildProcess::waitForState(a.pid(), isRunningOrSleeping));
    manager->reconcile();
    ASSERT_EQ(manager->paused().size(), 1);
    EXPECT_EQ(manager->paused().first().pgid, b.pid());

    // A relaunch after the second group ended keeps nothing and rewrites the stored list.
    ::kill(-b.pid(), SIGKILL);
    ::kill(-b.pid(), SIGCONT);
    b.waitForEnd();
    auto relaunched = h.pauseManager();
    EXPECT_TRUE(relaunched->paused().isEmpty());
    EXPECT_EQ(PausedGroup::decode(*h.prefs.dataValue(PauseManager::kStoreKey)),
              QList<PausedGroup>{});
}

TEST(PauseManagerProcesses, aRelaunchKeepsTheGroupThatIsStillStopped)
{
    RealProcessControl h;
    ChildProcess a({QStringLiteral("sleep"), QStringLiteral("60")});
    ASSERT_TRUE(ChildProcess::waitForState(a.pid(), isRunningOrSleeping));
    {
        auto first = h.pauseManager();
        ASSERT_TRUE(first->pause(a.pid(), QStringLiteral("sleep")));
        ASSERT_TRUE(ChildProcess::waitForState(a.pid(), isStopped));
        // The application is killed outright: nothing resumes, the record stays stored.
    }
    auto relaunched = h.pauseManager();
    ASSERT_EQ(relaunched->paused().size(), 1);
    EXPECT_TRUE(relaunched->isWatching());
    relaunched->resumeAll();
    EXPECT_TRUE(ChildProcess::waitForState(a.pid(), isRunningOrSleeping));
    EXPECT_EQ(PausedGroup::decode(*h.prefs.dataValue(PauseManager::kStoreKey)),
              QList<PausedGroup>{});
}

TEST(PauseManagerProcesses, theTestsOwnGroupIsNeverPaused)
{
    RealProcessControl h;
    ChildProcess sameGroup({QStringLiteral("sleep"), QStringLiteral("60")},
                           ChildProcess::Options{false, false});
    auto manager = h.pauseManager();
    EXPECT_FALSE(manager->canPause(sameGroup.pid(), QStringLiteral("sleep")));
    EXPECT_FALSE(manager->pause(sameGroup.pid(), QStringLiteral("sleep")));
    EXPECT_FALSE(manager->pause(::getpid(), QStringLiteral("tests")));
    EXPECT_FALSE(manager->canPause(1, QStringLiteral("init")));
    EXPECT_FALSE(manager->canPause(0, QStringLiteral("x")));
    EXPECT_NE(ChildProcess::state(sameGroup.pid()), 'T');
}

// The main thread of the group's lead has exited (it reads as a zombie) while its worker runs
// on: the group is still stopped while that worker is, so its record, the resume and the
// resume at quit must all still reach it.
TEST(PauseManagerProcesses, aGroupWhoseLeadOnlyHasWorkerThreadsLeftStaysTracked)
{
    RealProcessControl h;
    ChildProcess probe({QStringLiteral(CORVANITE_MAIN_THREAD_EXIT_PROBE)});
    ASSERT_TRUE(probe.started());
    ASSERT_TRUE(ChildProcess::waitForState(probe.pid(), [](char s) { return s == 'Z'; }));
    const std::optional<ProcessStatus> lead = h.info.status(probe.pid());
    ASSERT_TRUE(lead.has_value());
    EXPECT_FALSE(lead->zombie); // its worker is alive

    auto manager = h.pauseManager();
    ASSERT_TRUE(manager->canPause(probe.pid(), QStringLiteral("probe")));
    ASSERT_TRUE(manager->pause(probe.pid(), QStringLiteral("probe")));
    auto stopped = [&] { return h.info.hasStoppedThread(probe.pid()); };
    for (int i = 0; i < 1000 && !stopped(); ++i)
        QThread::msleep(5);
    ASSERT_TRUE(stopped());

    manager->reconcile();
    ASSERT_EQ(manager->paused().size(), 1);
    EXPECT_TRUE(manager->entry(probe.pid()).has_value());
    // A relaunch keeps it too, and its quit thaws it.
    manager.reset();
    auto relaunched = h.pauseManager();
    ASSERT_EQ(relaunched->paused().size(), 1);
    relaunched->resumeAll();
    for (int i = 0; i < 1000 && stopped(); ++i)
        QThread::msleep(5);
    EXPECT_FALSE(stopped());
    EXPECT_TRUE(relaunched->paused().isEmpty());
}

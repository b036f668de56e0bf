// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

// A stat line as proc_pid_stat(5) lays it out, with the fields these readings use.
QByteArray statLine(qint32 pid, const char* comm, char state, qint32 ppid, qint32 pgrp,
                    quint64 flags, quint64 startTicks = 4242)
{
    return QByteArray::number(pid) + " (" + comm + ") " + QByteArray(1, state) + ' ' +
           QByteArray::number(ppid) + ' ' + QByteArray::number(pgrp) + " 1 0 -1 " +
           QByteArray::number(flags) + " 0 0 0 0 5 5 0 0 20 0 1 0 " +
           QByteArray::number(startTicks) + " 1000 10 0\n";
}

struct Tree {
    FixtureTree tree{QStringLiteral("linux")};

    // A process with the given threads: the first is the main thread, each thread a state.
    void process(qint32 pid, const char* comm, const char* threadStates, qint32 ppid = 1,
                 qint32 pgrp = 0, quint64 flags = 0x400000)
    {
        const QByteArray main =
            statLine(pid, comm, threadStates[0], ppid, pgrp ? pgrp : pid, flags);
        tree.write(QStringLiteral("proc/%1/stat").arg(pid), main);
        for (int i = 0; threadStates[i]; ++i) {
            const qint32 tid = pid + i;
            tree.write(QStringLiteral("proc/%1/task/%2/stat").arg(pid).arg(tid),
                       statLine(tid, comm, threadStates[i], ppid, pgrp ? pgrp : pid, flags));
        }
    }
};

} // namespace

// Kernel threads and zombies cannot be signalled; a process whose main thread exited but whose
// workers run on is neither, and can still be stopped.
TEST(LinuxProcessInfo, kindsAndThreadStatesComeFromEveryThread)
{
    Tree t;
    t.process(2, "kthreadd", "S", 0, 0, 0x208040);
    t.process(40, "kworker/0:1", "I", 2, 0, 0x4208060);
    t.process(41, "flagged", "S", 7, 0, 0x200000); // kernel flag, parent elsewhere
    t.process(50, "zombie", "Z");
    t.process(60, "mainexit", "ZS"); // main thread gone, a worker runs
    t.process(70, "mainexit", "ZT"); // the same, stopped
    t.process(80, "plain", "S");
    struct Case {
        qint32 pid;
        bool kernelThread;
        bool zombie;
        bool stopped;
    };
    const Case cases[] = {
        {2, true, false, false},   {40, true, false, false},  {41, true, false, false},
        {50, false, true, false},  {60, false, false, false}, {70, false, false, true},
        {80, false, false, false},
    };
    LinuxProcessInfo info(t.tree.root());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        const std::optional<ProcessStatus> s = info.status(c.pid);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->kernelThread, c.kernelThread);
        EXPECT_EQ(s->zombie, c.zombie);
        EXPECT_EQ(info.hasStoppedThread(c.pid), c.stopped);
        EXPECT_EQ(s->startTicks, 4242u);
    }
    EXPECT_FALSE(info.status(99).has_value());
    EXPECT_FALSE(info.hasStoppedThread(99));
}

TEST(LinuxProcessInfo, groupsNamesAndTheBoot)
{
    Tree t;
    t.process(300, "sh", "S");
    t.process(301, "gnome-session-b", "S", 300, 300); // comm cut at 15 bytes
    t.process(302, "worker", "S", 300, 300);
    t.process(400, "other", "S");
    t.tree.write(QStringLiteral("proc/301/cmdline"),
                 QByteArray("/usr/libexec/gnome-session-binary\0--autostart\0", 46));
    t.tree.write(QStringLiteral("proc/302/cmdline"), QByteArray("renamed\0", 8));
    t.tree.write(QStringLiteral("proc/sys/kernel/random/boot_id"),
                 "0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0\n");
    LinuxProcessInfo info(t.tree.root());
    QList<qint32> members = info.groupMembers(300);
    std::sort(members.begin(), members.end());
    EXPECT_EQ(members, (QList<qint32>{300, 301, 302}));
    EXPECT_TRUE(info.groupMembers(12345).isEmpty());
    EXPECT_EQ(info.processName(301), QStringLiteral("gnome-session-binary"));
    EXPECT_EQ(info.processName(302), QStringLiteral("worker")); // argv[0] is not the short name's
    EXPECT_EQ(info.processName(99), QString());
    EXPECT_EQ(info.bootId(), QStringLiteral("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0"));
}

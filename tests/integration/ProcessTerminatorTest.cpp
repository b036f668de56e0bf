// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessTerminator.h"
#include "app/process/TerminationFlow.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/LogWatch.h"

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

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseFlow.h"
#include "app/process/PauseManager.h"
#include "app/process/ProcessTerminator.h"
#include "app/process/TerminationFlow.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "platform/linux/LinuxProcessTable.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/LogWatch.h"
#include "tests/support/RealProcessControl.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>

using namespace corvanite;
using namespace corvanite::test;

namespace {

bool isAsleep(char s)
{
    return s == 'S';
}
bool isStopped(char s)
{
    return s == 'T';
}

// Real processes under chosen names: copies of sleep, so the kernel's name, argv[0] and the
// executable all carry the name, as they would for the real program.
struct Renamed {
    QTemporaryDir dir;
    QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));

    // The copy's path as raw bytes: names need not be valid text.
    QByteArray copy(const QByteArray& name)
    {
        const QString plain = dir.filePath(QStringLiteral("copy"));
        if (!QFile::copy(sleep, plain))
            return {};
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        if (std::rename(QFile::encodeName(plain).constData(), path.constData()) != 0)
            return {};
        return path;
    }
};

// The name the process list shows for `pid`, read the way the sampling engine reads it.
QString scannedName(qint32 pid)
{
    LinuxProcessTable table;
    QHash<qint32, QString> names;
    for (const RawProcess& p : table.readProcessesRaw(names)) {
        if (p.pid == pid)
            return p.name;
    }
    return {};
}

// A glass panel's terminate flow with nothing pre-authorised.
TerminationFlow terminationFlow(ProcessTerminator& terminator)
{
    return TerminationFlow(TerminationFlow::Skin::Glass, terminator,
                           {[](const QString&) { return false; }, [](const QString&) {}});
}

} // namespace

// Every kind of process the session needs, each as a real process of that name: none is ever
// paused or terminated, by either rule.
TEST(ProtectedProcesses, theSessionsProcessesAreNeitherPausedNorTerminated)
{
    const char* names[] = {"Xorg",
                           "Xwayland",
                           "Xvfb",
                           "sway",
                           "Hyprland",
                           "labwc",
                           "weston",
                           "mutter",
                           "openbox",
                           "i3",
                           "kwin_wayland",
                           "gnome-shell",
                           "xfce4-session",
                           "startplasma-wayland",
                           "gnome-session-binary",
                           "ksmserver",
                           "gdm-session-worker",
                           "sddm",
                           "systemd",
                           "dbus-daemon",
                           "dbus-broker",
                           "pipewire",
                           "pipewire-pulse",
                           "wireplumber",
                           "pulseaudio",
                           "polkitd",
                           "xdg-desktop-portal",
                           "xdg-desktop-portal-gnome",
                           "corvanite",
                           "corvanite-helper"};
    Renamed renamed;
    RealProcessControl c;
    auto pause = c.pauseManager();
    TerminationFlow flow = terminationFlow(c.terminator);
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const QByteArray program = renamed.copy(name);
        ASSERT_FALSE(program.isEmpty());
        ChildProcess process(QList<QByteArray>{program, "60"}, ChildProcess::Options{});
        ASSERT_TRUE(ChildProcess::waitForState(process.pid(), isAsleep));
        const QString shown = scannedName(process.pid());
        EXPECT_EQ(shown, QString::fromUtf8(name)); // long names too, past the kernel's 15 bytes

        EXPECT_FALSE(pause->canPause(process.pid(), shown));
        EXPECT_FALSE(pause->pause(process.pid(), shown));
        EXPECT_FALSE(c.terminator.isKillable(process.pid(), shown));
        flow.request(process.pid(), shown);
        flow.confirm(); // even a caller that skips the check sends nothing
        EXPECT_TRUE(c.later.jobs.isEmpty());
        EXPECT_FALSE(process.waitForEnd(0).has_value());
        EXPECT_EQ(ChildProcess::state(process.pid()), 'S');
    }
    EXPECT_TRUE(pause->paused().isEmpty());
}

// Stopping a group stops all of it: a group with a member the session needs stays running,
// and the confirmation names that member.
TEST(ProtectedProcesses, aGroupWithAProtectedMemberIsNotPaused)
{
    Renamed renamed;
    const QByteArray pipewire = renamed.copy("pipewire");
    ASSERT_FALSE(pipewire.isEmpty());
    const QString pidFile = renamed.dir.filePath(QStringLiteral("member"));
    ChildProcess leader(
        QList<QByteArray>{"sh", "-c", "\"$0\" 60 & echo $! > \"$1\"; sleep 60 & sleep 60 & wait",
                          pipewire, QFile::encodeName(pidFile)},
        ChildProcess::Options{});
    RealProcessControl c;
    ASSERT_TRUE(ChildProcess::waitForState(leader.pid(), isAsleep));
    const qint32 member = ChildProcess::readPid(pidFile);
    ASSERT_GT(member, 0);
    for (int i = 0; i < 1000 && c.info.groupMembers(leader.pid()).size() < 4; ++i)
        QThread::msleep(5); // the two sleeps start after the echo
    ASSERT_EQ(c.info.groupMembers(leader.pid()).size(), 4);

    auto pause = c.pauseManager();
    EXPECT_TRUE(pause->canPause(leader.pid(), QStringLiteral("sh"))); // sh itself may be paused
    EXPECT_EQ(pause->protectingMember(leader.pid()),
              (PauseManager::Member{member, QStringLiteral("pipewire")}));
    PauseFlow flow(*pause);
    flow.request(leader.pid(), QStringLiteral("sh"));
    EXPECT_TRUE(flow.dialogShown());
    EXPECT_FALSE(flow.offersPause());
    EXPECT_TRUE(flow.message().contains(QStringLiteral("pipewire")));
    EXPECT_TRUE(flow.message().contains(QString::number(member)));
    flow.confirm();
    EXPECT_FALSE(pause->pause(leader.pid(), QStringLiteral("sh")));
    EXPECT_TRUE(pause->paused().isEmpty());
    for (const qint32 pid : c.info.groupMembers(leader.pid()))
        EXPECT_NE(ChildProcess::state(pid), 'T') << pid;
}

// Names are the processes' own text: placeholders, escapes, line breaks and bytes that are not
// UTF-8 end up in the log as text, one event per line.
TEST(ProtectedProcesses, oddNamesReachTheLogAsText)
{
    struct Case {
        QByteArray name;
        QString logged;
    };
    const Case cases[] = {
        {"x%2y", QStringLiteral("x%2y")},
        {"%1", QStringLiteral("%1")},
        {"a%1b%2c%3", QStringLiteral("a%1b%2c%3")},
        {"100%%", QStringLiteral("100%%")},
        {"two words (x)", QStringLiteral("two words (x)")},
        {"x) S 1 (y", QStringLiteral("x) S 1 (y")},
        {"new\nline", QStringLiteral("new\\nline")},
        {"esc\x1b[31m", QStringLiteral("esc\\x1b[31m")},
        {"\xff\xfe bad", QStringLiteral("\uFFFD\uFFFD bad")},
    };
    Renamed renamed;
    RealProcessControl c;
    TerminationFlow flow = terminationFlow(c.terminator);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.logged.toStdString());
        const QByteArray program = renamed.copy(k.name);
        ASSERT_FALSE(program.isEmpty());
        ChildProcess process(QList<QByteArray>{program, "60"}, ChildProcess::Options{});
        ASSERT_TRUE(ChildProcess::waitForState(process.pid(), isAsleep));
        const QString shown = scannedName(process.pid());
        const QString pgid = QString::number(process.pid());
        LogWatch log;
        {
            auto pause = c.pauseManager();
            ASSERT_TRUE(pause->pause(process.pid(), shown));
            ASSERT_TRUE(ChildProcess::waitForState(process.pid(), isStopped));
            EXPECT_EQ(pause->paused().first().name, shown);
        }
        auto relaunched = c.pauseManager();
        relaunched->resumeAll();
        flow.request(process.pid(), shown);
        flow.confirm();
        EXPECT_EQ(process.waitForEnd(), SIGTERM);
        EXPECT_EQ(
            log.lines(),
            (QStringList{
                QStringLiteral("Paused app group: ") + k.logged + QStringLiteral(" pgid=") + pgid,
                QStringLiteral("Still paused from an earlier run: ") + k.logged +
                    QStringLiteral(" pgid=") + pgid,
                QStringLiteral("Resumed app group: ") + k.logged + QStringLiteral(" pgid=") + pgid,
                QStringLiteral("Requested process termination: ") + k.logged +
                    QStringLiteral(" (") + pgid + QLatin1Char(')')}));
        c.later.jobs.clear();
    }
}

// The record keeps the name the list shows, past the kernel's 15 bytes, up to 64 bytes (never
// cutting a character in two).
TEST(ProtectedProcesses, thePausedRecordKeepsTheListedName)
{
    const QByteArray longName = "corvanite-test-sleeper-with-a-long-name";
    const QByteArray tooLong = QByteArray(63, 'a') + "\xc3\xa9" + "-and-more";
    Renamed renamed;
    RealProcessControl c;
    auto pause = c.pauseManager();
    for (const QByteArray& name : {longName, tooLong}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray program = renamed.copy(name);
        ChildProcess process(QList<QByteArray>{program, "60"}, ChildProcess::Options{});
        ASSERT_TRUE(ChildProcess::waitForState(process.pid(), isAsleep));
        const QString shown = scannedName(process.pid());
        EXPECT_EQ(shown, QString::fromUtf8(name));
        ASSERT_TRUE(pause->pause(process.pid(), shown));
        const QString recorded = pause->paused().last().name;
        EXPECT_EQ(recorded, name == longName ? shown : QString(63, QLatin1Char('a')));
        pause->resumeAll();
    }
}

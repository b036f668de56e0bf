// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PausedGroup.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/AppEnvironment.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestSandbox.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvanite;
using namespace corvanite::test;

namespace {

bool isStopped(char s)
{
    return s == 'T';
}
bool isAwake(char s)
{
    return s == 'S' || s == 'R';
}

QString prefsPath(const QString& home)
{
    return home + QStringLiteral("/.config/corvanite/preferences.json");
}

QString logPath(const QString& home)
{
    return home + QStringLiteral("/.local/state/corvanite/Corvanite.log");
}

bool writeRecords(const QString& home, const QList<PausedGroup>& groups)
{
    QDir().mkpath(home + QStringLiteral("/.config/corvanite"));
    QFile prefs(prefsPath(home));
    if (!prefs.open(QIODevice::WriteOnly))
        return false;
    const QByteArray records = PausedGroup::encode(groups);
    prefs.write(QJsonDocument(QJsonObject{{QStringLiteral("pausedGroups"),
                                           QJsonObject{{QStringLiteral("data"),
                                                        QString::fromLatin1(records.toBase64())}}}})
                    .toJson());
    return prefs.flush();
}

// The records the preferences file holds now; nothing when the file or the key is missing.
std::optional<QList<PausedGroup>> storedRecords(const QString& home)
{
    QFile prefs(prefsPath(home));
    if (!prefs.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject data = QJsonDocument::fromJson(prefs.readAll())
                                 .object()
                                 .value(QStringLiteral("pausedGroups"))
                                 .toObject();
    if (!data.value(QStringLiteral("data")).isString())
        return std::nullopt;
    return PausedGroup::decode(
        QByteArray::fromBase64(data.value(QStringLiteral("data")).toString().toLatin1()));
}

QByteArray logSince(const QString& home, qint64 offset)
{
    QFile log(logPath(home));
    if (!log.open(QIODevice::ReadOnly) || !log.seek(offset))
        return {};
    return log.readAll();
}

// Stops the sleeping child's group and returns the record the application keeps for it.
std::optional<PausedGroup> freeze(const ChildProcess& child)
{
    if (!ChildProcess::waitForState(child.pid(), isAwake))
        return std::nullopt;
    ::kill(-child.pid(), SIGSTOP);
    if (!ChildProcess::waitForState(child.pid(), isStopped))
        return std::nullopt;
    const std::optional<quint64> start = LinuxProcessInfo().startTime(child.pid());
    if (!start)
        return std::nullopt;
    // Without a boot id and start tick, as earlier versions stored it: compared by its start.
    return PausedGroup{child.pid(), child.pid(), QStringLiteral("sleep"), *start, 1.0,
                       {},          std::nullopt};
}

// The real application with no display and `home` as its HOME, started and waited for until its
// first status line shows it is up (and has reconciled the stored records at launch).
bool startHeadless(QProcess& app, const QString& home)
{
    app.setProcessEnvironment(headlessAppEnvironment(home));
    app.start(QStringLiteral(CORVANITE_BINARY_DIR "/corvanite"));
    if (!app.waitForStarted(5000))
        return false;
    QByteArray out;
    return waitFor(
        [&] {
            out += app.readAllStandardOutput();
            return out.contains('%');
        },
        10000);
}

} // namespace

// The real application, told by its stored records that it froze a group, must thaw it on
// every polite way of ending it.
TEST(PausedGroupsOnQuit, everyTerminationSignalResumesTheFrozenGroups)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        ChildProcess frozen({QStringLiteral("sleep"), QStringLiteral("60")});
        const std::optional<PausedGroup> record = freeze(frozen);
        ASSERT_TRUE(record.has_value());

        const QString home = TestSandbox::current().root() + QStringLiteral("/quit-%1").arg(signal);
        ASSERT_TRUE(writeRecords(home, {*record}));

        QProcess app;
        ASSERT_TRUE(startHeadless(app, home));
        EXPECT_EQ(ChildProcess::state(frozen.pid()), 'T');

        ::kill(static_cast<pid_t>(app.processId()), signal);
        ASSERT_TRUE(app.waitForFinished(5000));
        EXPECT_TRUE(ChildProcess::waitForState(frozen.pid(), isAwake));
        EXPECT_TRUE(logSince(home, 0).contains(
            QStringLiteral("Resumed app group: sleep pgid=%1").arg(frozen.pid()).toUtf8()));
    }
}

// Killed outright, the application cannot thaw anything: the group stays frozen and its record
// stays stored, so the next launch still knows it froze the group, keeps it on the paused list
// (the banner's entries) and thaws it when it in turn quits.
TEST(PausedGroupsOnQuit, aKilledRunLeavesItsRecordForTheNextLaunchToResume)
{
    ChildProcess frozen({QStringLiteral("sleep"), QStringLiteral("60")});
    const std::optional<PausedGroup> frozenRecord = freeze(frozen);
    ASSERT_TRUE(frozenRecord.has_value());
    const PausedGroup record = *frozenRecord;
    const QString home = TestSandbox::current().root() + QStringLiteral("/killed");
    ASSERT_TRUE(writeRecords(home, {record}));
    const QByteArray stillPaused = QStringLiteral("Still paused from an earlier run: sleep pgid=%1")
                                       .arg(frozen.pid())
                                       .toUtf8();
    const QByteArray resumed =
        QStringLiteral("Resumed app group: sleep pgid=%1").arg(frozen.pid()).toUtf8();

    QProcess first;
    ASSERT_TRUE(startHeadless(first, home));
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_EQ(first.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(ChildProcess::state(frozen.pid()), 'T');
    EXPECT_EQ(storedRecords(home), QList<PausedGroup>{record});
    EXPECT_FALSE(logSince(home, 0).contains(resumed));

    const qint64 secondRunLog = QFileInfo(logPath(home)).size();
    QProcess second;
    ASSERT_TRUE(startHeadless(second, home));
    // Reconciled at launch and kept: the group is still stopped and still the same process.
    EXPECT_TRUE(logSince(home, secondRunLog).contains(stillPaused));
    EXPECT_EQ(storedRecords(home), QList<PausedGroup>{record});
    EXPECT_EQ(ChildProcess::state(frozen.pid()), 'T');

    ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(ChildProcess::waitForState(frozen.pid(), isAwake));
    EXPECT_TRUE(logSince(home, secondRunLog).contains(resumed));
    EXPECT_EQ(storedRecords(home), QList<PausedGroup>{});
}

// A group that was thawed behind the application's back while it was down is no longer its
// business: the next launch drops the record and never signals the group.
TEST(PausedGroupsOnQuit, aGroupThawedWhileTheAppWasDownIsDroppedAtLaunch)
{
    ChildProcess child({QStringLiteral("sleep"), QStringLiteral("60")});
    ASSERT_TRUE(ChildProcess::waitForState(child.pid(), isAwake));
    const std::optional<quint64> start = LinuxProcessInfo().startTime(child.pid());
    ASSERT_TRUE(start.has_value());
    const QString home = TestSandbox::current().root() + QStringLiteral("/thawed");
    ASSERT_TRUE(writeRecords(
        home,
        {{child.pid(), child.pid(), QStringLiteral("sleep"), *start, 1.0, {}, std::nullopt}}));

    QProcess app;
    ASSERT_TRUE(startHeadless(app, home));
    EXPECT_EQ(storedRecords(home), QList<PausedGroup>{});
    ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
    ASSERT_TRUE(app.waitForFinished(5000));
    const QByteArray log = logSince(home, 0);
    EXPECT_FALSE(log.contains("Still paused from an earlier run"));
    EXPECT_FALSE(log.contains("Resumed app group"));
    EXPECT_TRUE(isAwake(ChildProcess::state(child.pid())));
}

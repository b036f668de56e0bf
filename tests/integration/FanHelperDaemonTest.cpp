// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/CallerCheck.h"
#include "shared/FanHelperProtocol.h"
#include "shared/FanReading.h"
#include "tests/integration/HelperDaemon.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/WaitFor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <limits>
#include <memory>
#include <sys/stat.h>

using namespace corvanite;
using namespace corvanite::test;

TEST(FanHelperDaemon, versionOptionPrintsTheVersion)
{
    QProcess helper;
    helper.start(QStringLiteral(CORVANITE_HELPER), {QStringLiteral("--version")});
    ASSERT_TRUE(helper.waitForFinished(5000));
    EXPECT_EQ(helper.exitCode(), 0);
    EXPECT_EQ(helper.readAllStandardOutput(), QByteArray("0.0.15\n"));
}

TEST(FanHelperDaemon, everyOperationOverTheBus)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);

    const QDBusMessage version = daemon.call(QStringLiteral("GetVersion"));
    ASSERT_EQ(version.type(), QDBusMessage::ReplyMessage) << qPrintable(version.errorMessage());
    EXPECT_EQ(version.arguments().value(0).toString(), QStringLiteral("0.0.15"));

    const QDBusMessage idle = daemon.call(QStringLiteral("ReadFans"));
    ASSERT_EQ(idle.signature(), QStringLiteral("ay"));
    const auto before = FanReading::decodeList(idle.arguments().value(0).toByteArray());
    ASSERT_TRUE(before.has_value());
    ASSERT_EQ(before->size(), 2);
    EXPECT_EQ(before->at(0), (FanReading{0, 1200, 1200, 1200, 6000.7001953125, false}));
    EXPECT_TRUE(daemon.writes().isEmpty()) << "reading writes nothing";

    const QDBusMessage floor = daemon.call(QStringLiteral("SetFanFloor"), {qlonglong(3000)});
    ASSERT_EQ(floor.signature(), QStringLiteral("b"));
    EXPECT_TRUE(floor.arguments().value(0).toBool());
    EXPECT_EQ(daemon.mode(0), 1);
    EXPECT_EQ(daemon.mode(1), 1);
    EXPECT_EQ(daemon.target(0), 3000.0);
    EXPECT_EQ(daemon.writes().first(), QStringLiteral("F0Md=01")) << "forced mode first";

    const auto forced = FanReading::decodeList(
        daemon.call(QStringLiteral("ReadFans")).arguments().value(0).toByteArray());
    ASSERT_TRUE(forced.has_value());
    EXPECT_TRUE(forced->at(1).forced);
    EXPECT_EQ(forced->at(1).targetRPM, 3000.0);

    EXPECT_TRUE(daemon.send(QStringLiteral("Heartbeat")));

    const QDBusMessage release = daemon.call(QStringLiteral("ReleaseControl"));
    EXPECT_TRUE(release.arguments().value(0).toBool());
    EXPECT_EQ(daemon.mode(0), 0);
    EXPECT_EQ(daemon.mode(1), 0);
    EXPECT_EQ(daemon.target(0), 3000.0) << "release leaves the targets alone";
    EXPECT_TRUE(daemon.call(QStringLiteral("ReleaseControl")).arguments().value(0).toBool())
        << "releasing twice";
}

// A client that waits for a heartbeat's answer waits in vain; the daemon still takes the beat.
TEST(FanHelperDaemon, heartbeatIsOneWay)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    ASSERT_TRUE(daemon.call(QStringLiteral("SetFanFloor"), {qlonglong(2000)})
                    .arguments()
                    .value(0)
                    .toBool());
    const QDBusMessage answer = daemon.call(QStringLiteral("Heartbeat"), {}, 700);
    EXPECT_EQ(answer.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(answer.errorName(), QStringLiteral("org.freedesktop.DBus.Error.NoReply"));
    EXPECT_EQ(daemon.call(QStringLiteral("GetVersion")).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(daemon.mode(0), 1);
}

// Wrong argument types are refused by the bus layer of the daemon; out-of-range speeds are
// limited. Either way the daemon keeps serving and the fans stay in a known state.
TEST(FanHelperDaemon, malformedCallsAreAnsweredWithoutHarm)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    const QList<QVariantList> wrong = {{QStringLiteral("3000")},     {int(3000)}, {},
                                       {qlonglong(1), qlonglong(2)}, {3000.0},    {true}};
    for (const QVariantList& args : wrong) {
        const QDBusMessage answer = daemon.call(QStringLiteral("SetFanFloor"), args);
        EXPECT_EQ(answer.type(), QDBusMessage::ErrorMessage) << answer.signature().toStdString();
    }
    EXPECT_EQ(daemon.call(QStringLiteral("ReadFans"), {qlonglong(1)}).type(),
              QDBusMessage::ErrorMessage);
    EXPECT_EQ(daemon.call(QStringLiteral("NoSuchOperation")).type(), QDBusMessage::ErrorMessage);
    // The object's own housekeeping slots are not part of the interface.
    EXPECT_EQ(daemon.call(QStringLiteral("deleteLater")).type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(daemon.writes().isEmpty());

    struct Case {
        qlonglong rpm;
        double fan0;
        double fan1;
    };
    const Case cases[] = {{std::numeric_limits<qlonglong>::max(), 6000, 5500},
                          {-5000, 0, 0},
                          {std::numeric_limits<qlonglong>::min(), 0, 0},
                          {5800, 5800, 5500}};
    for (const Case& c : cases) {
        const QDBusMessage answer = daemon.call(QStringLiteral("SetFanFloor"), {c.rpm});
        EXPECT_TRUE(answer.arguments().value(0).toBool()) << c.rpm;
        EXPECT_EQ(daemon.target(0), c.fan0) << c.rpm;
        EXPECT_EQ(daemon.target(1), c.fan1) << c.rpm;
        EXPECT_EQ(daemon.mode(0), 1) << c.rpm;
    }
    EXPECT_EQ(daemon.call(QStringLiteral("GetVersion")).arguments().value(0).toString(),
              QStringLiteral("0.0.15"));
}

TEST(FanHelperDaemon, cpuAtTheSafetyLimitRefusesTheFloor)
{
    QJsonObject machine = twoFanMachine();
    QJsonObject floats = machine["floats"].toObject();
    floats["TC0P"] = 100.0;
    machine["floats"] = floats;
    HelperDaemon daemon(machine);
    START_DAEMON(daemon);
    const QDBusMessage answer = daemon.call(QStringLiteral("SetFanFloor"), {qlonglong(3000)});
    EXPECT_FALSE(answer.arguments().value(0).toBool());
    EXPECT_EQ(daemon.mode(0), 0);
    EXPECT_EQ(daemon.mode(1), 0);
    EXPECT_FALSE(daemon.writes().contains(QStringLiteral("F0Md=01")));
}

// "FNum" unreadable: nothing to read or force, but a release still reaches fans 0 and 1, over
// the bus and in the release-only mode the service manager runs after the daemon stops.
TEST(FanHelperDaemon, releaseReachesFansZeroAndOneWithoutAFanCount)
{
    QJsonObject machine = twoFanMachine();
    QJsonObject bytes = machine["bytes"].toObject();
    bytes["F0Md"] = 1;
    bytes["F1Md"] = 1;
    machine["bytes"] = bytes;
    machine["failing"] = QJsonArray{"FNum"};
    {
        HelperDaemon daemon(machine);
        START_DAEMON(daemon);
        EXPECT_EQ(daemon.call(QStringLiteral("ReadFans")).arguments().value(0).toByteArray(),
                  QByteArray("[]"));
        EXPECT_TRUE(daemon.call(QStringLiteral("ReleaseControl")).arguments().value(0).toBool());
        EXPECT_EQ(daemon.mode(0), 0);
        EXPECT_EQ(daemon.mode(1), 0);
    }
    HelperDaemon staged(machine);
    QProcess releaseOnly;
    releaseOnly.start(QStringLiteral(CORVANITE_HELPER),
                      {QStringLiteral("--test-simulated-smc=") + staged.statePath(),
                       QStringLiteral("--release-fans")});
    ASSERT_TRUE(releaseOnly.waitForFinished(5000));
    EXPECT_EQ(releaseOnly.exitCode(), 0);
    EXPECT_EQ(staged.writes(), (QStringList{"F0Md=00", "F1Md=00"}));
}

// The one real-time run: a floor without heartbeats is released by the daemon itself 6 to 8
// seconds later, with one log line.
TEST(FanHelperDaemon, silenceReleasesTheFloor)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    ASSERT_TRUE(daemon.call(QStringLiteral("SetFanFloor"), {qlonglong(2500)})
                    .arguments()
                    .value(0)
                    .toBool());
    EXPECT_TRUE(waitFor([&] { return daemon.mode(0) == 0 && daemon.mode(1) == 0; }, 10000));
    const QStringList lines = daemon.logLines();
    EXPECT_EQ(lines.filter(QStringLiteral("heartbeat missing")).size(), 1)
        << lines.join('\n').toStdString();
}

// Without a publisher identity (a build tree) every caller is admitted, greeted once per
// connection with the "no Team ID" line.
TEST(FanHelperDaemon, unidentifiedDaemonLogsOncePerCaller)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    const QDBusConnection first = daemon.client(QStringLiteral("caller-one"));
    const QDBusConnection second = daemon.client(QStringLiteral("caller-two"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(daemon.call(first, QStringLiteral("GetVersion")).type(),
                  QDBusMessage::ReplyMessage);
    EXPECT_EQ(daemon.call(second, QStringLiteral("GetVersion")).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(daemon.logLines(),
              QStringList(2, "helper: no Team ID for ad-hoc build; skipping caller-signature "
                             "validation"));
}

namespace {

// A field of /proc/<pid>/status or smaps_rollup, in kB.
long long procField(pid_t pid, const char* file, const char* field)
{
    QFile status(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Context switches of every thread: each wake-up of the process counts one.
long long contextSwitches(pid_t pid)
{
    long long total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray path = QStringLiteral("%1/status").arg(task).toLocal8Bit();
        QFile status(tasks.filePath(QString::fromLocal8Bit(path)));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:") ||
                line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.split(':').last().trimmed().toLongLong();
    }
    return total;
}

} // namespace

// A flood of calls, many of them malformed, leaves the daemon serving with little memory of its
// own, and once released the daemon does not wake up at all.
TEST(FanHelperDaemon, floodLeavesTheDaemonServingSmallAndQuiet)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    ASSERT_EQ(daemon.call(QStringLiteral("GetVersion")).type(), QDBusMessage::ReplyMessage);
    ASSERT_GT(daemon.pid(), 0);
    const long long rssAtStart = procField(daemon.pid(), "status", "VmRSS");

    QDBusConnection flood = daemon.client(QStringLiteral("flooder"));
    for (int i = 0; i < 800; ++i) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            kService, kPath, kInterface,
            i % 2 ? QStringLiteral("ReadFans") : QStringLiteral("SetFanFloor"));
        if (i % 4 == 0)
            message << QStringLiteral("garbage");
        else if (i % 4 == 2)
            message << qlonglong(2000 + i);
        flood.send(message);
    }
    // Calls of one connection are served in order: this answer comes after the whole flood.
    const QDBusMessage release = daemon.call(flood, QStringLiteral("ReleaseControl"), {}, 30000);
    EXPECT_TRUE(release.arguments().value(0).toBool());
    EXPECT_EQ(daemon.mode(0), 0);

    const long long rss = procField(daemon.pid(), "status", "VmRSS");
    const long long anon = procField(daemon.pid(), "status", "RssAnon");
    const long long pss = procField(daemon.pid(), "smaps_rollup", "Pss");
    const long long privateKb = procField(daemon.pid(), "smaps_rollup", "Private_Clean") +
                                procField(daemon.pid(), "smaps_rollup", "Private_Dirty");
    std::printf("[ measure  ] helper memory: resident %lld kB at start, %lld kB after 800 calls "
                "(anonymous %lld, private %lld, proportional %lld)\n",
                rssAtStart, rss, anon, privateKb, pss);
    // Resident memory includes Qt's and ICU's shared library pages (about 10 MB, shared with
    // every Qt program); what the daemon itself holds is its private memory.
    EXPECT_GT(privateKb, 0);
#ifndef CORVANITE_SANITIZED // shadow memory and quarantine are no part of the daemon's budget
    EXPECT_LE(privateKb, 8 * 1024);
#endif

    // Let the daemon's threads go back to sleep after sending the last answer; that counts too.
    spinEventLoop(300);
    const long long before = contextSwitches(daemon.pid());
    spinEventLoop(3000);
    const long long after = contextSwitches(daemon.pid());
    std::printf("[ measure  ] helper wake-ups in 3 s with no floor held: %lld\n", after - before);
    EXPECT_EQ(after, before);
    EXPECT_EQ(daemon.call(QStringLiteral("GetVersion")).type(), QDBusMessage::ReplyMessage);
}

// An installed daemon has a publisher identity: a caller that does not run one of the
// publisher's programs is refused every operation, changes nothing and leaves no log line,
// while the publisher's own program (here dbus-send installed as the application) gets through.
TEST(FanHelperDaemon, installedDaemonRefusesForeignCallers)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to stage a root-owned install";
    QTemporaryDir prefix(QStringLiteral(CORVANITE_BINARY_DIR "/helper-prefix-XXXXXX"));
    ASSERT_TRUE(prefix.isValid());
    const QString helper = prefix.filePath(QStringLiteral("libexec/corvanite/corvanite-helper"));
    const QString app = prefix.filePath(QStringLiteral("bin/corvanite"));
    QDir().mkpath(QFileInfo(helper).path());
    QDir().mkpath(QFileInfo(app).path());
    ASSERT_TRUE(QFile::copy(QStringLiteral(CORVANITE_HELPER), helper));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/bin/dbus-send"), app));
    if (!CallerCheck::isTrustedFile(helper))
        GTEST_SKIP() << "the build folder is writable by others than root";

    HelperDaemon daemon(twoFanMachine(), helper);
    START_DAEMON(daemon);
    for (const auto& [method, args] :
         QList<QPair<QString, QVariantList>>{{QStringLiteral("SetFanFloor"), {qlonglong(3000)}},
                                             {QStringLiteral("ReleaseControl"), {}},
                                             {QStringLiteral("ReadFans"), {}},
                                             {QStringLiteral("GetVersion"), {}}}) {
        const QDBusMessage answer = daemon.call(method, args);
        EXPECT_EQ(answer.errorName(), QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"))
            << method.toStdString();
    }
    daemon.send(QStringLiteral("Heartbeat"));
    EXPECT_TRUE(daemon.writes().isEmpty());
    EXPECT_EQ(daemon.mode(0), 0);

    const auto callAs = [&](const QString& program) {
        QProcess caller;
        caller.start(program,
                     {QStringLiteral("--bus=") + daemon.address(), QStringLiteral("--print-reply"),
                      QStringLiteral("--dest=") + kService, kPath,
                      kInterface + QStringLiteral(".SetFanFloor"), QStringLiteral("int64:3000")});
        caller.waitForFinished(10000);
        return caller.exitCode() == 0 && caller.readAllStandardOutput().contains("boolean true");
    };
    EXPECT_FALSE(callAs(QStringLiteral("/usr/bin/dbus-send")));
    EXPECT_EQ(daemon.mode(0), 0);
    EXPECT_TRUE(callAs(app));
    EXPECT_EQ(daemon.mode(0), 1);
    EXPECT_EQ(daemon.target(1), 3000.0);
    EXPECT_TRUE(daemon.logLines().isEmpty()) << daemon.logLines().join('\n').toStdString();
}

// A caller that hangs up before its answer leaves the daemon serving; a daemon that loses its
// bus hands the fans back and ends, so the service manager can start it afresh.
TEST(FanHelperDaemon, vanishingCallersAndALostBusLeaveTheFansReleased)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    ASSERT_EQ(daemon.call(QStringLiteral("GetVersion")).type(), QDBusMessage::ReplyMessage);
    {
        QDBusConnection quitter = daemon.client(QStringLiteral("quitter"));
        QDBusMessage floor = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                            QStringLiteral("SetFanFloor"));
        floor << qlonglong(3000);
        quitter.asyncCall(floor);
        QDBusConnection::disconnectFromBus(QStringLiteral("quitter"));
    }
    EXPECT_TRUE(waitFor([&] { return daemon.mode(1) == 1; }));
    EXPECT_EQ(daemon.call(QStringLiteral("GetVersion")).arguments().value(0).toString(),
              QStringLiteral("0.0.15"));

    const pid_t pid = daemon.pid();
    ASSERT_GT(pid, 0);
    daemon.stopBus();
    const auto ended = [pid] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z ");
    };
    EXPECT_TRUE(waitFor(ended));
    EXPECT_EQ(daemon.mode(0), 0);
    EXPECT_EQ(daemon.mode(1), 0);
}

// The service manager stops the daemon with SIGTERM: it hands the fans back before it ends.
TEST(FanHelperDaemon, terminationReleasesAHeldFloor)
{
    HelperDaemon daemon(twoFanMachine());
    START_DAEMON(daemon);
    ASSERT_TRUE(daemon.call(QStringLiteral("SetFanFloor"), {qlonglong(4000)})
                    .arguments()
                    .value(0)
                    .toBool());
    ASSERT_GT(daemon.pid(), 0);
    ASSERT_EQ(kill(daemon.pid(), SIGTERM), 0);
    EXPECT_TRUE(waitFor([&] { return daemon.mode(0) == 0 && daemon.mode(1) == 0; }));
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FanHelperProtocol.h"
#include "tests/support/WaitFor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::waitFor;

namespace {

// The default policy of a distribution's system bus (nobody owns or calls anything unless a
// policy file allows it) with the helper's installed policy file on top.
QString systemBusConfig(const QString& socket)
{
    return QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                          "Configuration 1.0//EN\"\n"
                          " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                          "<busconfig>\n"
                          "  <type>system</type>\n"
                          "  <listen>unix:path=%1</listen>\n"
                          "  <auth>EXTERNAL</auth>\n"
                          "  <policy context=\"default\">\n"
                          "    <allow user=\"*\"/>\n"
                          "    <deny own=\"*\"/>\n"
                          "    <deny send_type=\"method_call\"/>\n"
                          "    <allow send_type=\"signal\"/>\n"
                          "    <allow send_requested_reply=\"true\" send_type=\"method_return\"/>\n"
                          "    <allow send_requested_reply=\"true\" send_type=\"error\"/>\n"
                          "    <allow receive_type=\"method_call\"/>\n"
                          "    <allow receive_type=\"method_return\"/>\n"
                          "    <allow receive_type=\"error\"/>\n"
                          "    <allow receive_type=\"signal\"/>\n"
                          "    <allow send_destination=\"org.freedesktop.DBus\"\n"
                          "           send_interface=\"org.freedesktop.DBus\"/>\n"
                          "  </policy>\n"
                          "  <include>%2</include>\n"
                          "</busconfig>\n")
        .arg(socket, QStringLiteral(CORVANITE_SOURCE_DIR "/packaging/com.corvanite.helper.conf"));
}

QString readLine(QProcess& process)
{
    const QDeadlineTimer deadline(5000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired() &&
           process.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
        output += process.readAllStandardOutput();
    return QString::fromUtf8(output).trimmed();
}

} // namespace

// On a bus with the system bus's default policy, the installed policy lets root own the name and
// call it, and keeps a user who is at no console from reaching the daemon at all.
TEST(FanHelperBusPolicy, rootOwnsAndCallsAUserAwayFromTheConsoleIsTurnedAway)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to own the name and to call as another user";
    QTemporaryDir dir(QStringLiteral("/tmp/corvanite-policy-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const QString configPath = dir.filePath(QStringLiteral("system.conf"));
    QFile config(configPath);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(systemBusConfig(dir.filePath(QStringLiteral("bus"))).toUtf8());
    config.close();
    QFile state(dir.filePath(QStringLiteral("smc.json")));
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write(R"({"bytes": {"FNum": 0}})");
    state.close();

    QProcess bus;
    bus.start(QStringLiteral("dbus-daemon"),
              {QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
               QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    const QString address = readLine(bus);
    ASSERT_FALSE(address.isEmpty()) << bus.readAllStandardError().toStdString();

    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    environment.remove(QStringLiteral("DBUS_STARTER_ADDRESS"));
    helper.setProcessEnvironment(environment);
    helper.start(QStringLiteral(CORVANITE_HELPER),
                 {QStringLiteral("--test-simulated-smc=") + state.fileName()});
    QDBusConnection root = QDBusConnection::connectToBus(address, QStringLiteral("policy-root"));
    const QString service = QString::fromLatin1(fanHelperMachName);
    EXPECT_TRUE(waitFor([&] { return root.interface()->isServiceRegistered(service).value(); }))
        << helper.readAllStandardError().toStdString();

    const QDBusMessage version = root.call(QDBusMessage::createMethodCall(
        service, QString::fromLatin1(FanHelperProtocol::objectPath),
        QString::fromLatin1(FanHelperProtocol::interfaceName), QStringLiteral("GetVersion")));
    EXPECT_EQ(version.arguments().value(0).toString(), QStringLiteral("0.0.15"))
        << version.errorMessage().toStdString();

    QProcess stranger;
    stranger.start(
        QStringLiteral("setpriv"),
        {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
         QStringLiteral("--clear-groups"), QStringLiteral("dbus-send"),
         QStringLiteral("--bus=") + address, QStringLiteral("--print-reply"),
         QStringLiteral("--dest=") + service, QString::fromLatin1(FanHelperProtocol::objectPath),
         QString::fromLatin1(FanHelperProtocol::interfaceName) + QStringLiteral(".SetFanFloor"),
         QStringLiteral("int64:3000")});
    ASSERT_TRUE(stranger.waitForFinished(10000));
    EXPECT_NE(stranger.exitCode(), 0);
    EXPECT_TRUE(stranger.readAllStandardError().contains("AccessDenied"));

    QDBusConnection::disconnectFromBus(QStringLiteral("policy-root"));
    helper.terminate();
    helper.waitForFinished(5000);
    bus.terminate();
    bus.waitForFinished(5000);
}

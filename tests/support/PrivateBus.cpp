// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/PrivateBus.h"

#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace corvanite::test {

PrivateBus::PrivateBus(const QStringList& serviceDirs)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    QString dirs;
    for (const QString& dir : serviceDirs)
        dirs += QStringLiteral("  <servicedir>%1</servicedir>\n").arg(dir.toHtmlEscaped());
    const QString config =
        QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig>\n"
            "  <type>session</type>\n"
            "  <listen>unix:dir=%1</listen>\n"
            "  <auth>EXTERNAL</auth>\n"
            "%2"
            "  <policy context=\"default\">\n"
            "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
            "    <allow eavesdrop=\"true\"/>\n"
            "    <allow own=\"*\"/>\n"
            "  </policy>\n"
            "</busconfig>\n")
            .arg(m_dir.path().toHtmlEscaped(), dirs);
    const QString configPath = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(configPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write %1").arg(configPath);
        return;
    }
    file.close();

    m_daemon.setProgram(QStringLiteral("dbus-daemon"));
    m_daemon.setArguments({QStringLiteral("--config-file=") + configPath,
                           QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                           QStringLiteral("--print-address=1")});
    m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon.start();
    if (!m_daemon.waitForStarted(5000)) {
        m_error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        return;
    }
    const QDeadlineTimer deadline(5000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired()) {
        if (m_daemon.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            output += m_daemon.readAllStandardOutput();
        else if (m_daemon.state() != QProcess::Running)
            break;
    }
    const QString address = QString::fromUtf8(output).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon printed no address: ") +
                  QString::fromUtf8(m_daemon.readAllStandardError());
        return;
    }
    m_address = address;
}

PrivateBus::~PrivateBus()
{
    for (const QString& name : m_connections)
        QDBusConnection::disconnectFromBus(name);
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(3000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(3000);
        }
    }
}

QDBusConnection PrivateBus::connect(const QString& name)
{
    m_connections.append(name);
    return QDBusConnection::connectToBus(m_address, name);
}

void PrivateBus::exportAsSessionBus() const
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}

QDBusMessage PrivateBus::callAndWait(const QDBusConnection& connection, const QDBusMessage& call,
                                     int timeoutMs)
{
    QDBusPendingCall pending = connection.asyncCall(call, timeoutMs);
    QDBusPendingCallWatcher watcher(pending);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs + 500, &loop, &QEventLoop::quit);
    if (!pending.isFinished())
        loop.exec();
    return pending.reply();
}

} // namespace corvanite::test

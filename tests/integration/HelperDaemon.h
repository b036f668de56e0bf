// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/FanHelperProtocol.h"
#include "tests/support/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <sys/types.h>

namespace corvanite::test {

inline const QString kService = QString::fromLatin1(fanHelperMachName);
inline const QString kPath = QString::fromLatin1(FanHelperProtocol::objectPath);
inline const QString kInterface = QString::fromLatin1(FanHelperProtocol::interfaceName);

inline QJsonObject twoFanMachine()
{
    QJsonObject floats{{"F0Ac", 1200},   {"F0Tg", 1200}, {"F0Mn", 1200},
                       {"F0Mx", 6000.7}, {"F1Ac", 1300}, {"F1Tg", 1300},
                       {"F1Mn", 1300},   {"F1Mx", 5500}, {"Tp09", 55.5}};
    QJsonObject bytes{{"FNum", 2}, {"F0Md", 0}, {"F1Md", 0}};
    return QJsonObject{{"floats", floats}, {"bytes", bytes}};
}

// The freshly built daemon, started by a private bus on the first call to its name, over a
// simulated SMC kept in a file the test stages and reads back.
class HelperDaemon {
public:
    explicit HelperDaemon(const QJsonObject& machine, const QString& program = CORVANITE_HELPER)
    {
        const QString services = m_dir.filePath(QStringLiteral("services"));
        QDir().mkpath(services);
        writeFile(statePath(), QJsonDocument(machine).toJson());
        const QString exec = QStringLiteral("/bin/sh -c 'exec \"%1\" --test-simulated-smc=\"%2\" "
                                            "2>>\"%3\"'")
                                 .arg(program, statePath(), logPath());
        writeFile(
            services + QStringLiteral("/com.corvanite.helper.service"),
            QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2\n").arg(kService, exec).toUtf8());
        m_bus = std::make_unique<PrivateBus>(QStringList{services});
    }

    ~HelperDaemon()
    {
        // Only while that pid is still the daemon: after the bus went, it may be someone else.
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(m_pid));
        if (m_pid > 0 && cmdline.open(QIODevice::ReadOnly) &&
            cmdline.readAll().contains("corvanite-helper"))
            kill(m_pid, SIGTERM);
    }

    bool isRunning() const { return m_bus && m_bus->isRunning(); }
    void stopBus() { m_bus.reset(); }
    QString busError() const { return m_bus->error(); }
    QString address() const { return m_bus->address(); }
    QString statePath() const { return m_dir.filePath(QStringLiteral("smc.json")); }
    QString logPath() const { return m_dir.filePath(QStringLiteral("helper.log")); }
    QString dir() const { return m_dir.path(); }

    QDBusConnection client(const QString& name)
    {
        QDBusConnection connection = m_bus->connect(name);
        return connection;
    }

    QDBusMessage call(const QDBusConnection& connection, const QString& method,
                      const QVariantList& args = {}, int timeoutMs = 5000)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
        message.setArguments(args);
        const QDBusMessage reply = PrivateBus::callAndWait(connection, message, timeoutMs);
        rememberPid(connection);
        return reply;
    }
    QDBusMessage call(const QString& method, const QVariantList& args = {}, int timeoutMs = 5000)
    {
        return call(defaultClient(), method, args, timeoutMs);
    }
    // One-way, as the application sends heartbeats.
    bool send(const QString& method)
    {
        return defaultClient().send(
            QDBusMessage::createMethodCall(kService, kPath, kInterface, method));
    }

    QJsonObject state() const
    {
        QFile file(statePath());
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                              : QJsonObject();
    }
    int mode(int fan) const
    {
        return state()["bytes"].toObject()[QStringLiteral("F%1Md").arg(fan)].toInt(-1);
    }
    double target(int fan) const
    {
        return state()["floats"].toObject()[QStringLiteral("F%1Tg").arg(fan)].toDouble(-1);
    }
    QStringList writes() const
    {
        QStringList keys;
        for (const QJsonValue& write : state()["writes"].toArray())
            keys << write.toString();
        return keys;
    }
    QStringList logLines() const
    {
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
            if (line.contains(QLatin1String("helper: ")))
                lines << line.mid(line.indexOf(QLatin1String("helper: ")));
        return lines;
    }
    pid_t pid() const { return m_pid; }

private:
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QDBusConnection defaultClient()
    {
        if (!m_default) {
            m_default = true;
            return m_bus->connect(QStringLiteral("helper-default-client"));
        }
        return QDBusConnection(QStringLiteral("helper-default-client"));
    }
    void rememberPid(const QDBusConnection& connection)
    {
        if (m_pid > 0)
            return;
        const auto pid = connection.interface()->servicePid(kService);
        if (pid.isValid())
            m_pid = static_cast<pid_t>(pid.value());
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PrivateBus> m_bus;
    bool m_default = false;
    pid_t m_pid = 0;
};

#define START_DAEMON(daemon) ASSERT_TRUE((daemon).isRunning()) << qPrintable((daemon).busError())

} // namespace corvanite::test

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/SimulatedFanHelper.h"

#include "shared/FanHelperProtocol.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <csignal>

namespace corvanite::test {

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

SimulatedFanHelper::SimulatedFanHelper(const QJsonObject& machine, const QString& program)
{
    const QString services = m_dir.filePath(QStringLiteral("services"));
    QDir().mkpath(services);
    writeFile(statePath(), QJsonDocument(machine).toJson());
    const QString exec =
        QStringLiteral("/bin/sh -c 'exec \"%1\" --test-simulated-smc=\"%2\" 2>>\"%3\"'")
            .arg(program, statePath(), m_dir.filePath(QStringLiteral("helper.log")));
    writeFile(services + QStringLiteral("/com.corvanite.helper.service"),
              QStringLiteral("[D-BUS Service]\nName=%1\nExec=%2\n")
                  .arg(QString::fromLatin1(fanHelperMachName), exec)
                  .toUtf8());
    m_bus = std::make_unique<PrivateBus>(QStringList{services});
}

SimulatedFanHelper::~SimulatedFanHelper()
{
    if (m_pid > 0 && !hasEnded())
        ::kill(m_pid, SIGTERM);
}

pid_t SimulatedFanHelper::start()
{
    if (m_pid > 0 || !isRunning())
        return m_pid;
    const QDBusConnection connection = m_bus->connect(QStringLiteral("simulated-helper-starter"));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(fanHelperMachName), QString::fromLatin1(FanHelperProtocol::objectPath),
        QString::fromLatin1(FanHelperProtocol::interfaceName),
        QString::fromLatin1(FanHelperProtocol::getVersionMethod));
    PrivateBus::callAndWait(connection, call);
    const auto pid = connection.interface()->servicePid(QString::fromLatin1(fanHelperMachName));
    if (pid.isValid())
        m_pid = static_cast<pid_t>(pid.value());
    return m_pid;
}

bool SimulatedFanHelper::hasEnded() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    // The daemon's name holds no ')': the state follows the only one.
    return line.contains(") Z ") || !line.contains("corvanite-helpe");
}

QJsonObject SimulatedFanHelper::state() const
{
    QFile file(statePath());
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

int SimulatedFanHelper::mode(int fan) const
{
    return state()[QStringLiteral("bytes")].toObject()[QStringLiteral("F%1Md").arg(fan)].toInt(-1);
}

double SimulatedFanHelper::target(int fan) const
{
    return state()[QStringLiteral("floats")].toObject()[QStringLiteral("F%1Tg").arg(fan)].toDouble(
        -1);
}

} // namespace corvanite::test

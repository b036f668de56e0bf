// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/SystemBusRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

namespace corvanite {

namespace {

const QString kHelper = QStringLiteral("libexec/corvanite/corvanite-helper");
const QString kTool = QStringLiteral("libexec/corvanite/corvanite-register-helper");
const QString kBusService = QStringLiteral("com.corvanite.helper.service");
const QString kBusPolicy = QStringLiteral("com.corvanite.helper.conf");
const QString kPolkitAction = QStringLiteral("com.corvanite.helper.policy");
const QString kUnit = QStringLiteral("corvanite-helper.service");

// Where the system bus, polkit and systemd look, relative to the system root.
const QStringList kBusServiceDirs = {QStringLiteral("usr/local/share/dbus-1/system-services"),
                                     QStringLiteral("usr/share/dbus-1/system-services"),
                                     QStringLiteral("lib/dbus-1/system-services")};
const QStringList kBusPolicyDirs = {QStringLiteral("usr/share/dbus-1/system.d"),
                                    QStringLiteral("etc/dbus-1/system.d")};
const QStringList kPolkitDirs = {QStringLiteral("usr/share/polkit-1/actions")};
const QStringList kUnitDirs = {
    QStringLiteral("etc/systemd/system"), QStringLiteral("usr/local/lib/systemd/system"),
    QStringLiteral("usr/lib/systemd/system"), QStringLiteral("lib/systemd/system")};

bool hasLine(const QString& path, const QString& line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = line.toUtf8();
    for (const QByteArray& candidate : file.readAll().split('\n'))
        if (candidate.trimmed() == wanted)
            return true;
    return false;
}

} // namespace

SystemBusRegistration::SystemBusRegistration(Layout layout)
    : m_layout(std::move(layout))
{
}

SystemBusRegistration::Layout SystemBusRegistration::layoutForThisProcess()
{
    Layout layout;
    layout.executable = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return layout;
}

QString SystemBusRegistration::system(const QString& path) const
{
    return QDir::cleanPath(m_layout.systemRoot + QLatin1Char('/') + path);
}

bool SystemBusRegistration::isOwnedFile(const QString& path, const QString& prefix) const
{
    // Every folder from the file up to the prefix counts: a writable one lets anybody swap it.
    QString current = QDir::cleanPath(path);
    bool first = true;
    while (true) {
        struct stat st {};
        if (::lstat(QFile::encodeName(current).constData(), &st) != 0)
            return false;
        if (first ? !S_ISREG(st.st_mode) : !S_ISDIR(st.st_mode))
            return false;
        if (st.st_uid != m_layout.owner || (st.st_mode & (S_IWGRP | S_IWOTH)))
            return false;
        if (current == prefix || current == QLatin1String("/"))
            return current == prefix;
        current = QFileInfo(current).path();
        first = false;
    }
}

std::optional<QString> SystemBusRegistration::installPrefix() const
{
    const QFileInfo program(QDir::cleanPath(m_layout.executable));
    if (program.fileName() != QLatin1String("corvanite") ||
        QFileInfo(program.path()).fileName() != QLatin1String("bin"))
        return std::nullopt;
    const QString prefix = QFileInfo(program.path()).path();
    const QDir p(prefix);
    for (const QString& file : {program.filePath(), p.filePath(kHelper), p.filePath(kTool)})
        if (!isOwnedFile(file, prefix))
            return std::nullopt;
    for (const QString& file : {QStringLiteral("share/dbus-1/system-services/") + kBusService,
                                QStringLiteral("share/dbus-1/system.d/") + kBusPolicy,
                                QStringLiteral("share/polkit-1/actions/") + kPolkitAction,
                                QStringLiteral("lib/systemd/system/") + kUnit})
        if (!QFileInfo(p.filePath(file)).isFile())
            return std::nullopt;
    return prefix;
}

FanHelperState SystemBusRegistration::status()
{
    const auto prefix = installPrefix();
    if (!prefix)
        return FanHelperState::unavailable;
    const QString helper = QDir(*prefix).filePath(kHelper);
    const auto anyDir = [this](const QStringList& dirs, auto&& holds) {
        for (const QString& dir : dirs)
            if (holds(system(dir)))
                return true;
        return false;
    };
    // The bus service must start this install's helper: another one would refuse this program.
    const bool service = anyDir(kBusServiceDirs, [&](const QString& dir) {
        const QString file = dir + QLatin1Char('/') + kBusService;
        return hasLine(file, QStringLiteral("Name=com.corvanite.helper")) &&
               hasLine(file, QStringLiteral("Exec=") + helper);
    });
    const bool policy = anyDir(kBusPolicyDirs, [](const QString& dir) {
        return QFileInfo(dir + QLatin1Char('/') + kBusPolicy).isFile();
    });
    const bool action = anyDir(kPolkitDirs, [](const QString& dir) {
        return QFileInfo(dir + QLatin1Char('/') + kPolkitAction).isFile();
    });
    // Under systemd the bus asks for the unit instead of starting the helper itself.
    const bool systemd = QFileInfo(system(QStringLiteral("run/systemd/system"))).isDir();
    const bool unit = !systemd || anyDir(kUnitDirs, [&](const QString& dir) {
        return hasLine(dir + QLatin1Char('/') + kUnit, QStringLiteral("ExecStart=") + helper);
    });
    return service && policy && action && unit ? FanHelperState::enabled
                                               : FanHelperState::notRegistered;
}

bool SystemBusRegistration::runTool(const QString& verb, QString& error) const
{
    const auto prefix = installPrefix();
    if (!prefix) {
        error = QStringLiteral("Corvanite is not installed, so its fan helper cannot be set up");
        return false;
    }
    if (m_layout.runner.isEmpty()) {
        error = QStringLiteral("no way to run the registration as root");
        return false;
    }
    QProcess tool;
    tool.setProcessChannelMode(QProcess::SeparateChannels);
    QStringList arguments = m_layout.runner.mid(1);
    arguments << QDir(*prefix).filePath(kTool) << verb;
    tool.start(m_layout.runner.first(), arguments);
    if (!tool.waitForStarted()) {
        error = m_layout.runner.first() + QStringLiteral(" could not be started");
        return false;
    }
    if (!tool.waitForFinished(m_layout.runnerTimeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        error = QStringLiteral("the authorisation was not given in time");
        return false;
    }
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        return true;
    // pkexec's own exit codes for a dismissed or refused authorisation.
    if (tool.exitCode() == 126)
        error = QStringLiteral("the authorisation was dismissed");
    else if (tool.exitCode() == 127)
        error = QStringLiteral("the authorisation was refused");
    else {
        const QStringList lines = QString::fromLocal8Bit(tool.readAllStandardError())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        error =
            lines.isEmpty()
                ? QStringLiteral("the registration failed (exit status %1)").arg(tool.exitCode())
                : lines.last().trimmed();
    }
    return false;
}

bool SystemBusRegistration::registerHelper(QString& error)
{
    return runTool(QStringLiteral("register"), error);
}

void SystemBusRegistration::unregisterHelper()
{
    QString ignored;
    runTool(QStringLiteral("unregister"), ignored);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XdgAutostartEntry.h"

#include "platform/XdgPaths.h"
#include "platform/linux/DesktopEntry.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace corvanite {

namespace {

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isAbsolute() && info.isFile() && info.isExecutable();
}

// An Exec or TryExec program: an absolute path, or a name looked up in $PATH.
bool programExists(const QString& program)
{
    if (program.isEmpty())
        return false;
    if (QDir::isAbsolutePath(program))
        return isExecutableFile(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QStringList systemConfigDirsFromEnv()
{
    QStringList dirs;
    const QString value = qEnvironmentVariable("XDG_CONFIG_DIRS");
    for (const QString& dir : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // The base directory rules ignore relative entries.
        if (QDir::isAbsolutePath(dir))
            dirs.append(dir);
    }
    if (dirs.isEmpty())
        dirs.append(QStringLiteral("/etc/xdg"));
    return dirs;
}

QString entryIn(const QString& configDir)
{
    return configDir + QStringLiteral("/autostart/") + QLatin1String(XdgAutostartEntry::kFileName);
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(QString configHome, QStringList systemConfigDirs,
                                     QString program)
    : m_configHome(std::move(configHome))
    , m_systemConfigDirs(std::move(systemConfigDirs))
    , m_program(std::move(program))
{
}

std::unique_ptr<XdgAutostartEntry> XdgAutostartEntry::forCurrentUser()
{
    return std::make_unique<XdgAutostartEntry>(XdgPaths::configHome(), systemConfigDirsFromEnv(),
                                               runningProgram());
}

QString XdgAutostartEntry::runningProgram()
{
    // An AppImage runs from a temporary mount; the image file is what must be started.
    const QString appImage = qEnvironmentVariable("APPIMAGE");
    if (isExecutableFile(appImage))
        return appImage;
    QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    // After an upgrade the running binary is gone but a new one sits at the same path.
    const QLatin1String deleted(" (deleted)");
    if (exe.endsWith(deleted) && !QFileInfo::exists(exe))
        exe.chop(deleted.size());
    return isExecutableFile(exe) ? exe : QString();
}

QString XdgAutostartEntry::userAutostartDir() const
{
    return m_configHome + QStringLiteral("/autostart");
}

QString XdgAutostartEntry::userEntryPath() const
{
    return entryIn(m_configHome);
}

bool XdgAutostartEntry::isActive(const QString& entryPath) const
{
    const auto group = DesktopEntry::readGroup(entryPath);
    if (!group)
        return false;
    if (DesktopEntry::boolean(group->value(QStringLiteral("Hidden"))) == true)
        return false;
    // GNOME's own switch for autostart entries.
    if (DesktopEntry::boolean(group->value(QStringLiteral("X-GNOME-Autostart-enabled"))) == false)
        return false;
    const QString tryExec = DesktopEntry::unescapeString(group->value(QStringLiteral("TryExec")));
    if (!tryExec.isEmpty() && !programExists(tryExec))
        return false;
    const auto args = DesktopEntry::splitExec(group->value(QStringLiteral("Exec")));
    return args && !args->isEmpty() && programExists(args->first());
}

bool XdgAutostartEntry::systemEntryActive() const
{
    for (const QString& dir : m_systemConfigDirs) {
        const QString path = entryIn(dir);
        if (QFileInfo::exists(path))
            return isActive(path);
    }
    return false;
}

AutostartStatus XdgAutostartEntry::status() const
{
    // Only the entry in the most important folder counts.
    QStringList dirs{m_configHome};
    dirs += m_systemConfigDirs;
    for (const QString& dir : dirs) {
        const QString path = entryIn(dir);
        if (!QFileInfo::exists(path))
            continue;
        if (isActive(path))
            return AutostartStatus::Enabled;
        break;
    }
    return m_program.isEmpty() ? AutostartStatus::NotFound : AutostartStatus::NotRegistered;
}

bool XdgAutostartEntry::writeEntry(const QByteArray& contents, QString& reason) const
{
    const QString dir = userAutostartDir();
    if (!QDir().mkpath(dir)) {
        reason = QStringLiteral("could not create the folder ") + dir;
        return false;
    }
    QSaveFile file(userEntryPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        reason = QStringLiteral("could not write ") + userEntryPath() + QStringLiteral(": ") +
                 file.errorString();
        return false;
    }
    return true;
}

bool XdgAutostartEntry::enable(QString& reason)
{
    if (m_program.isEmpty()) {
        reason = QStringLiteral("the path of the running program could not be determined");
        return false;
    }
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Corvanite\n"
                                        "Comment=System monitor in the status area\n"
                                        "Exec=") +
                         DesktopEntry::quoteExecArgument(m_program) +
                         QStringLiteral("\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n");
    return writeEntry(text.toUtf8(), reason);
}

bool XdgAutostartEntry::disable(QString& reason)
{
    // A system-wide entry would still start the program once ours is gone; a Hidden entry of
    // the same name in the user's folder masks it.
    if (systemEntryActive()) {
        return writeEntry(QByteArrayLiteral("[Desktop Entry]\n"
                                            "Type=Application\n"
                                            "Name=Corvanite\n"
                                            "Hidden=true\n"),
                          reason);
    }
    QFile file(userEntryPath());
    if (file.exists() && !file.remove()) {
        reason = QStringLiteral("could not remove ") + userEntryPath() + QStringLiteral(": ") +
                 file.errorString();
        return false;
    }
    return true;
}

bool XdgAutostartEntry::openSystemSettings()
{
    const QString dir = userAutostartDir();
    QDir().mkpath(dir);
    // Desktop services need a GUI application; a console run has nothing to show it with.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(dir));
}

} // namespace corvanite

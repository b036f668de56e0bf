// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/CallerCheck.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

namespace corvanite {

namespace {

const QString kOwnTail = QStringLiteral("/libexec/corvanite/corvanite-helper");
const QString kDeleted = QStringLiteral(" (deleted)");

// Owned by root and not writable by group or others. lstat, so a symbolic link (mode 777)
// never passes: the kernel's exe links are already resolved, and anything else is not to be
// trusted.
bool isRootOnly(const QByteArray& path, bool wantFile)
{
    struct stat info {};
    if (lstat(path.constData(), &info) != 0)
        return false;
    if (info.st_uid != 0 || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return false;
    return wantFile ? S_ISREG(info.st_mode) : S_ISDIR(info.st_mode);
}

// Every component from the root down is root-only; the last is a file or a folder as asked.
bool isTrustedPath(const QString& path, bool lastIsFile)
{
    if (!path.startsWith(QLatin1Char('/')) || QDir::cleanPath(path) != path)
        return false;
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!isRootOnly("/", false))
        return false;
    if (parts.isEmpty())
        return !lastIsFile;
    QString walked;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        walked += QLatin1Char('/') + parts.at(i);
        if (!isRootOnly(QFile::encodeName(walked), lastIsFile && i == parts.size() - 1))
            return false;
    }
    return true;
}

// The kernel's own link text for a process's executable, or nothing.
QString exeLinkOf(pid_t pid)
{
    const QByteArray link = QStringLiteral("/proc/%1/exe").arg(pid).toLocal8Bit();
    char buffer[4096];
    const ssize_t length = readlink(link.constData(), buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer)
        return {};
    return QFile::decodeName(QByteArray(buffer, static_cast<int>(length)));
}

} // namespace

bool CallerCheck::isTrustedFile(const QString& path)
{
    return isTrustedPath(path, true);
}

std::optional<QString> CallerCheck::publisherPrefix(const QString& ownExecutable)
{
    if (!ownExecutable.endsWith(kOwnTail))
        return std::nullopt;
    QString prefix = ownExecutable.chopped(kOwnTail.size());
    if (prefix.isEmpty())
        prefix = QStringLiteral("/");
    return prefix;
}

CallerCheck CallerCheck::forThisProcess()
{
    return CallerCheck(publisherPrefix(installedExecutableOf(getpid())));
}

bool CallerCheck::isPublisherProgram(const QString& path) const
{
    const QString base = *m_prefix == QLatin1String("/") ? QString() : *m_prefix;
    if (path == base + QStringLiteral("/bin/corvanite"))
        return true;
    const QString folder = base + QStringLiteral("/libexec/corvanite/");
    return path.startsWith(folder) && !path.mid(folder.size()).contains(QLatin1Char('/'));
}

bool CallerCheck::admitsProcess(pid_t pid) const
{
    if (!m_prefix)
        return true;
    const QString path = installedExecutableOf(pid);
    return !path.isEmpty() && isPublisherProgram(path);
}

QString CallerCheck::installedExecutableOf(pid_t pid)
{
    if (pid <= 0)
        return {};
    const QString path = exeLinkOf(pid);
    if (!path.endsWith(kDeleted))
        return isTrustedFile(path) ? path : QString();
    // The program was replaced on disk while it ran (a package upgrade). The running image is the
    // old file, which only root could have written; judge its place by the path it had.
    const QString formerPath = path.chopped(kDeleted.size());
    const QByteArray image = QStringLiteral("/proc/%1/exe").arg(pid).toLocal8Bit();
    struct stat info {};
    if (stat(image.constData(), &info) != 0 || info.st_uid != 0 ||
        (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 || !S_ISREG(info.st_mode))
        return {};
    const QString folder = formerPath.section(QLatin1Char('/'), 0, -2);
    return isTrustedPath(folder, false) ? formerPath : QString();
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InstanceLock.h"

#include "platform/XdgPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace corvanite {

InstanceLock::InstanceLock(QString path)
    : m_path(std::move(path))
{
}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString InstanceLock::defaultPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/corvanite.lock");
    return XdgPaths::appStateDir() + QStringLiteral("/corvanite.lock");
}

bool InstanceLock::tryLock()
{
    if (m_fd < 0) {
        QDir().mkpath(QFileInfo(m_path).absolutePath());
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
    if (::ftruncate(m_fd, 0) == 0) [[maybe_unused]]
        const ssize_t written = ::pwrite(m_fd, pid.constData(), pid.size(), 0);
    return true;
}

std::optional<qint64> InstanceLock::holderPid() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const qint64 pid = file.read(32).trimmed().toLongLong(&ok);
    if (!ok || pid <= 0)
        return std::nullopt;
    return pid;
}

} // namespace corvanite

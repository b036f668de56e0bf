// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxVolume.h"

#include "platform/XdgPaths.h"

#include <QDir>
#include <QFile>

#include <sys/statvfs.h>

namespace corvanite {

LinuxVolume::LinuxVolume(QString path)
    : m_path(std::move(path))
{
}

std::optional<VolumeSpace> LinuxVolume::readHomeVolume()
{
    const QByteArray path = QFile::encodeName(m_path.isEmpty() ? XdgPaths::home() : m_path);
    struct statvfs info {};
    if (::statvfs(path.constData(), &info) != 0)
        return std::nullopt;
    const quint64 unit = info.f_frsize > 0 ? info.f_frsize : info.f_bsize;
    return VolumeSpace{static_cast<quint64>(info.f_bavail) * unit,
                       static_cast<quint64>(info.f_blocks) * unit};
}

} // namespace corvanite

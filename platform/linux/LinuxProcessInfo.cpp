// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxProcessInfo.h"

#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/ProcFile.h"
#include "platform/linux/ProcStat.h"

#include <QFile>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <unistd.h>

namespace corvanite {

namespace {

QByteArray pidPath(const QString& root, qint32 pid, const char* leaf)
{
    return pathUnderRoot(root, "proc/") + QByteArray::number(pid) + '/' + leaf;
}

} // namespace

LinuxProcessInfo::LinuxProcessInfo(const QString& root)
    : m_root(root)
{
    const long tick = ::sysconf(_SC_CLK_TCK);
    if (tick > 0)
        m_ticksPerSecond = static_cast<double>(tick);
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page > 0)
        m_pageSize = static_cast<quint64>(page);
}

std::optional<ProcessStatus> LinuxProcessInfo::status(qint32 pid) const
{
    if (pid <= 0)
        return std::nullopt;
    if (!m_bootTime)
        m_bootTime = LinuxBootTime(m_root).readBootTime();
    if (!m_bootTime)
        return std::nullopt;
    char buffer[1024];
    const QByteArray path = pidPath(m_root, pid, "stat");
    const std::string_view text = ProcFile::readInto(path.constData(), buffer, sizeof buffer);
    ProcStat stat;
    if (text.empty() || !parseProcStat(text, stat))
        return std::nullopt;
    ProcessStatus s;
    s.pid = pid;
    s.parentPid = static_cast<qint32>(stat.ppid);
    s.processGroup = static_cast<qint32>(stat.pgrp);
    s.state = stat.state;
    s.startInstant = *m_bootTime + static_cast<double>(stat.starttime) / m_ticksPerSecond;
    s.startTime = static_cast<quint64>(std::floor(s.startInstant));
    const double nsPerTick = 1e9 / m_ticksPerSecond;
    s.userNs = static_cast<quint64>(static_cast<double>(stat.utime) * nsPerTick);
    s.systemNs = static_cast<quint64>(static_cast<double>(stat.stime) * nsPerTick);
    s.virtualBytes = stat.vsize;
    s.residentBytes = stat.rss * m_pageSize;
    s.threadCount = static_cast<qint32>(std::min<quint64>(stat.threads, 0x7fffffff));
    return s;
}

QString LinuxProcessInfo::executablePath(qint32 pid) const
{
    if (pid <= 0)
        return {};
    const QString path = QFile::symLinkTarget(QFile::decodeName(pidPath(m_root, pid, "exe")));
    return path;
}

QString LinuxProcessInfo::kernelName(qint32 pid) const
{
    if (pid <= 0)
        return {};
    char buffer[64];
    const QByteArray path = pidPath(m_root, pid, "comm");
    std::string_view text = ProcFile::readInto(path.constData(), buffer, sizeof buffer);
    if (!text.empty() && text.back() == '\n')
        text.remove_suffix(1);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

qint32 PosixProcessSignals::processGroup(qint32 pid) const
{
    const pid_t group = ::getpgid(pid);
    return group < 0 ? -1 : static_cast<qint32>(group);
}

qint32 PosixProcessSignals::ownPid() const
{
    return static_cast<qint32>(::getpid());
}

int PosixProcessSignals::send(qint32 pid, int signal)
{
    return ::kill(pid, signal) == 0 ? 0 : errno;
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxProcessInfo.h"

#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/LinuxProcessTable.h"
#include "platform/linux/ProcFile.h"
#include "platform/linux/ProcStat.h"

#include <QFile>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <unistd.h>

namespace corvanite {

namespace {

QByteArray pidPath(const QString& root, qint32 pid, const char* leaf)
{
    return pathUnderRoot(root, "proc/") + QByteArray::number(pid) + '/' + leaf;
}

// Calls `visit` with each numeric entry of a procfs folder until it returns false.
void forEachPidEntry(const QByteArray& folder, const std::function<bool(qint32)>& visit)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (*name < '1' || *name > '9')
            continue; // not a pid: ".", "self", "sys"...
        char* end = nullptr;
        const long pid = std::strtol(name, &end, 10);
        if (*end != '\0' || pid <= 0 || pid > 0x7fffffff)
            continue;
        if (!visit(static_cast<qint32>(pid)))
            break;
    }
    ::closedir(dir);
}

// Calls `visit` with each numeric entry of a procfs folder (processes or a process's tasks) and
// its stat line until it returns false; an entry whose stat cannot be read (it just ended) is
// skipped.
void forEachStat(const QByteArray& folder,
                 const std::function<bool(qint32, const ProcStat&)>& visit)
{
    char path[512];
    char buffer[1024];
    forEachPidEntry(folder, [&](qint32 id) {
        std::snprintf(path, sizeof path, "%s/%d/stat", folder.constData(), id);
        const std::string_view text = ProcFile::readInto(path, buffer, sizeof buffer);
        ProcStat stat;
        if (text.empty() || !parseProcStat(text, stat))
            return true;
        return visit(id, stat);
    });
}

bool readStat(const QByteArray& path, char* buffer, std::size_t capacity, ProcStat& stat)
{
    const std::string_view text = ProcFile::readInto(path.constData(), buffer, capacity);
    return !text.empty() && parseProcStat(text, stat);
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
    ProcStat stat;
    if (!readStat(pidPath(m_root, pid, "stat"), buffer, sizeof buffer, stat))
        return std::nullopt;
    ProcessStatus s;
    s.pid = pid;
    s.parentPid = static_cast<qint32>(stat.ppid);
    s.processGroup = static_cast<qint32>(stat.pgrp);
    s.state = stat.state;
    s.startTicks = stat.starttime;
    s.startInstant = *m_bootTime + static_cast<double>(stat.starttime) / m_ticksPerSecond;
    s.startTime = static_cast<quint64>(std::floor(s.startInstant));
    const double nsPerTick = 1e9 / m_ticksPerSecond;
    s.userNs = static_cast<quint64>(static_cast<double>(stat.utime) * nsPerTick);
    s.systemNs = static_cast<quint64>(static_cast<double>(stat.stime) * nsPerTick);
    s.virtualBytes = stat.vsize;
    s.residentBytes = stat.rss * m_pageSize;
    s.threadCount = static_cast<qint32>(std::min<quint64>(stat.threads, 0x7fffffff));
    // kthreadd (pid 2) is the parent of every kernel thread; the flag also catches the rest.
    s.kernelThread = pid == 2 || stat.ppid == 2 || (stat.flags & kProcFlagKernelThread) != 0;
    // The main thread shows 'Z' as soon as it exits, also while other threads still run: only
    // a process with no live thread left is a zombie.
    s.zombie = (stat.state == 'Z' || stat.state == 'X') &&
               !anyThread(pid, [](char state) { return state != 'Z' && state != 'X'; });
    return s;
}

bool LinuxProcessInfo::anyThread(qint32 pid, bool (*matches)(char state)) const
{
    bool found = false;
    forEachStat(pidPath(m_root, pid, "task"), [&](qint32, const ProcStat& stat) {
        found = matches(stat.state);
        return !found;
    });
    return found;
}

bool LinuxProcessInfo::hasStoppedThread(qint32 pid) const
{
    return pid > 0 && anyThread(pid, [](char state) { return state == 'T'; });
}

QList<qint32> LinuxProcessInfo::groupMembers(qint32 pgid) const
{
    QList<qint32> members;
    if (pgid <= 0)
        return members;
    // Every process's stat line is read: keep the per-process work to the open and the read.
    forEachStat(pathUnderRoot(m_root, "proc"), [&](qint32 pid, const ProcStat& stat) {
        if (stat.pgrp == pgid)
            members.append(pid);
        return true;
    });
    return members;
}

QString LinuxProcessInfo::executablePath(qint32 pid) const
{
    if (pid <= 0)
        return {};
    const QString path = QFile::symLinkTarget(QFile::decodeName(pidPath(m_root, pid, "exe")));
    return path;
}

QString LinuxProcessInfo::processName(qint32 pid) const
{
    if (pid <= 0)
        return {};
    char buffer[1024];
    ProcStat stat;
    if (!readStat(pidPath(m_root, pid, "stat"), buffer, sizeof buffer, stat))
        return {};
    // The same rule as the process list, so a record and a row name a process alike.
    char cmdline[4096];
    std::string_view args;
    if (stat.comm.size() >= LinuxProcessTable::kCommCut)
        args = ProcFile::readInto(pidPath(m_root, pid, "cmdline").constData(), cmdline,
                                  sizeof cmdline);
    return LinuxProcessTable::displayName(stat.comm, args);
}

QString LinuxProcessInfo::bootId() const
{
    if (!m_bootId) {
        m_bootId = QString::fromLatin1(
            ProcFile::readOnce(pathUnderRoot(m_root, "proc/sys/kernel/random/boot_id")).trimmed());
    }
    return *m_bootId;
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

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxProcessTable.h"

#include "platform/linux/ProcFile.h"
#include "platform/linux/ProcStat.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace corvanite {

namespace {

constexpr std::size_t kOpenCeiling = 4096;

bool parsePid(const char* name, qint32& pid)
{
    if (*name == '\0')
        return false;
    qint64 value = 0;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        value = value * 10 + (*c - '0');
        if (value > 0x7fffffff)
            return false;
    }
    pid = static_cast<qint32>(value);
    return pid > 0;
}

std::string_view readAt(int fd, char* buffer, std::size_t capacity)
{
    ssize_t n;
    do {
        n = ::pread(fd, buffer, capacity, 0);
    } while (n < 0 && errno == EINTR);
    return n > 0 ? std::string_view(buffer, static_cast<std::size_t>(n)) : std::string_view();
}

} // namespace

LinuxProcessTable::LinuxProcessTable(const QString& root)
    : m_procPath(pathUnderRoot(root, "proc"))
{
    rlimit limit{};
    std::size_t soft = 1024;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        soft = static_cast<std::size_t>(limit.rlim_cur);
    else if (limit.rlim_cur == RLIM_INFINITY)
        soft = kOpenCeiling * 4;
    m_maxOpen = std::min(soft / 4, kOpenCeiling);
    const long tick = ::sysconf(_SC_CLK_TCK);
    if (tick > 0)
        m_nsPerTick = 1000000000ull / static_cast<quint64>(tick);
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page > 0)
        m_pageSize = static_cast<quint64>(page);
}

LinuxProcessTable::~LinuxProcessTable()
{
    for (auto& [pid, known] : m_known) {
        if (known.fd >= 0)
            ::close(known.fd);
    }
    if (m_dir)
        ::closedir(m_dir);
}

std::string_view LinuxProcessTable::readStat(qint32 pid, Known& known, bool& reopened)
{
    reopened = false;
    if (known.fd >= 0) {
        const std::string_view text = readAt(known.fd, m_buffer, sizeof m_buffer);
        if (!text.empty())
            return text;
        // The process behind the descriptor is gone; the pid may already name a new one.
        ::close(known.fd);
        known.fd = -1;
        --m_openCount;
        reopened = true;
    }
    char path[512];
    std::snprintf(path, sizeof path, "%s/%d/stat", m_procPath.constData(), pid);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const std::string_view text = readAt(fd, m_buffer, sizeof m_buffer);
    if (!text.empty() && m_openCount < m_maxOpen) {
        known.fd = fd;
        ++m_openCount;
    } else {
        ::close(fd);
    }
    return text;
}

QString LinuxProcessTable::displayName(std::string_view comm, std::string_view cmdline)
{
    const QString short_ = QString::fromUtf8(comm.data(), static_cast<qsizetype>(comm.size()));
    if (comm.size() < kCommCut)
        return short_;
    std::string_view argv0 = cmdline.substr(0, cmdline.find('\0'));
    const std::size_t slash = argv0.rfind('/');
    if (slash != std::string_view::npos)
        argv0.remove_prefix(slash + 1);
    // Only a longer form of the same name: a renamed thread or a rewritten argv keeps comm.
    if (argv0.size() > comm.size() && argv0.substr(0, comm.size()) == comm)
        return QString::fromUtf8(argv0.data(), static_cast<qsizetype>(argv0.size()));
    return short_;
}

QString LinuxProcessTable::lookUpName(qint32 pid, std::string_view comm)
{
    std::string_view cmdline;
    if (comm.size() >= kCommCut) {
        char path[512];
        std::snprintf(path, sizeof path, "%s/%d/cmdline", m_procPath.constData(), pid);
        cmdline = ProcFile::readInto(path, m_nameBuffer, sizeof m_nameBuffer);
    }
    QString name = displayName(comm, cmdline);
    return name.isEmpty() ? QStringLiteral("unknown") : name;
}

std::vector<RawProcess> LinuxProcessTable::readProcessesRaw(QHash<qint32, QString>& nameCache)
{
    std::vector<RawProcess> out;
    if (!m_dir)
        m_dir = ::opendir(m_procPath.constData());
    else
        ::rewinddir(m_dir);
    if (!m_dir)
        return out;
    ++m_scan;
    out.reserve(m_known.size() + 64);
    while (const dirent* entry = ::readdir(m_dir)) {
        qint32 pid = 0;
        if (!parsePid(entry->d_name, pid))
            continue;
        Known& known = m_known[pid];
        known.seenInScan = m_scan;
        bool reopened = false;
        const std::string_view text = readStat(pid, known, reopened);
        ProcStat stat;
        if (text.empty() || !parseProcStat(text, stat))
            continue;
        auto cached = nameCache.find(pid);
        if (reopened && cached != nameCache.end()) {
            nameCache.erase(cached);
            cached = nameCache.end();
        }
        if (cached == nameCache.end())
            cached = nameCache.insert(pid, lookUpName(pid, stat.comm));
        out.push_back(RawProcess{pid, *cached, (stat.utime + stat.stime) * m_nsPerTick,
                                 stat.rss * m_pageSize});
    }
    forgetVanished();
    return out;
}

void LinuxProcessTable::forgetVanished()
{
    for (auto it = m_known.begin(); it != m_known.end();) {
        if (it->second.seenInScan == m_scan) {
            ++it;
            continue;
        }
        if (it->second.fd >= 0) {
            ::close(it->second.fd);
            --m_openCount;
        }
        it = m_known.erase(it);
    }
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/CgroupEnergyCounters.h"

#include "platform/linux/ProcFile.h"
#include "platform/linux/ProcText.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace corvanite {

namespace {

std::optional<quint64> readNumber(const QByteArray& path)
{
    char buffer[64];
    std::string_view text = ProcFile::readInto(path.constData(), buffer, sizeof buffer);
    quint64 value = 0;
    if (text.empty() || !proctext::takeU64(text, value))
        return std::nullopt;
    return value;
}

// The "usage_usec" line of a cpu.stat file.
std::optional<quint64> usageUs(const QByteArray& path)
{
    char buffer[1024];
    proctext::Lines lines(ProcFile::readInto(path.constData(), buffer, sizeof buffer));
    std::string_view line;
    bool complete = false;
    while (lines.next(line, complete)) {
        if (!proctext::startsWith(line, "usage_usec "))
            continue;
        std::string_view rest = line.substr(11);
        quint64 value = 0;
        if (proctext::takeU64(rest, value))
            return value;
    }
    return std::nullopt;
}

} // namespace

CgroupEnergyCounters::CgroupEnergyCounters(const QString& root)
    : m_root(root)
{
    for (const char* candidate : {"sys/fs/cgroup", "sys/fs/cgroup/unified"}) {
        const QByteArray mount = pathUnderRoot(root, candidate);
        if (QFile::exists(QFile::decodeName(mount + "/cgroup.controllers"))) {
            m_cgroupMount = mount;
            break;
        }
    }
    const long tick = ::sysconf(_SC_CLK_TCK);
    if (tick > 0)
        m_usPerTick = 1e6 / static_cast<double>(tick);
}

QStringList CgroupEnergyCounters::packageFolders() const
{
    // Top-level zones only: "intel-rapl:0"; "intel-rapl:0:1" is a part of package 0.
    const QDir powercap(QFile::decodeName(pathUnderRoot(m_root, "sys/class/powercap")));
    QStringList folders;
    for (const QString& name : powercap.entryList({QStringLiteral("intel-rapl:*")},
                                                  QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (name.count(QLatin1Char(':')) == 1)
            folders.append(powercap.filePath(name));
    }
    return folders;
}

bool CgroupEnergyCounters::isAvailable()
{
    if (m_cgroupMount.isEmpty())
        return false;
    for (const QString& folder : packageFolders()) {
        if (readNumber(QFile::encodeName(folder + QStringLiteral("/energy_uj"))))
            return true;
    }
    return false;
}

std::optional<quint64> CgroupEnergyCounters::groupOf(qint32 pid)
{
    if (pid <= 0)
        return std::nullopt;
    char buffer[4096];
    const QByteArray path = pathUnderRoot(m_root, "proc/") + QByteArray::number(pid) + "/cgroup";
    const std::string_view text = ProcFile::readInto(path.constData(), buffer, sizeof buffer);
    if (text.empty())
        return std::nullopt;
    proctext::Lines lines(text);
    std::string_view line;
    bool complete = false;
    while (lines.next(line, complete)) {
        // The unified hierarchy's line is "0::<path>".
        if (!proctext::startsWith(line, "0::"))
            continue;
        const std::string_view group = line.substr(3);
        if (group.empty() || group == "/" || m_cgroupMount.isEmpty())
            return 0;
        const QByteArray folder =
            m_cgroupMount + QByteArray(group.data(), static_cast<qsizetype>(group.size()));
        struct stat st {};
        if (::stat(folder.constData(), &st) != 0)
            return 0;
        // The kernel's cgroup id is the group folder's inode number.
        const auto id = static_cast<quint64>(st.st_ino);
        m_groupPaths.insert(id, folder);
        return id;
    }
    return 0;
}

std::optional<quint64> CgroupEnergyCounters::packageDeltaNj()
{
    quint64 total = 0;
    bool any = false;
    bool baseline = true;
    for (const QString& folder : packageFolders()) {
        const std::optional<quint64> uj =
            readNumber(QFile::encodeName(folder + QStringLiteral("/energy_uj")));
        if (!uj)
            continue;
        any = true;
        Package& package = m_packages[folder];
        if (package.seen) {
            baseline = false;
            if (*uj >= package.lastUj) {
                total += *uj - package.lastUj;
            } else {
                const std::optional<quint64> range =
                    readNumber(QFile::encodeName(folder + QStringLiteral("/max_energy_range_uj")));
                // The counter wrapped at its range; without a sane range the interval counts 0.
                if (range && *range >= package.lastUj)
                    total += *range - package.lastUj + *uj;
            }
        }
        package.lastUj = *uj;
        package.seen = true;
    }
    if (!any)
        return std::nullopt;
    return baseline ? 0 : total * 1000;
}

std::optional<quint64> CgroupEnergyCounters::busyCpuUs() const
{
    char buffer[256];
    const QByteArray path = pathUnderRoot(m_root, "proc/stat");
    std::string_view text = ProcFile::readInto(path.constData(), buffer, sizeof buffer);
    if (!proctext::startsWith(text, "cpu "))
        return std::nullopt;
    text.remove_prefix(4);
    // user nice system idle iowait irq softirq steal: everything but idle and iowait is busy.
    quint64 busy = 0;
    for (int field = 0; field < 8; ++field) {
        quint64 value = 0;
        if (!proctext::takeU64(text, value))
            return std::nullopt;
        if (field != 3 && field != 4)
            busy += value;
    }
    return static_cast<quint64>(static_cast<double>(busy) * m_usPerTick);
}

QHash<quint64, quint64> CgroupEnergyCounters::readEnergy(const QList<quint64>& groups)
{
    QHash<quint64, quint64> out;
    const std::optional<quint64> packageNj = packageDeltaNj();
    const std::optional<quint64> busyUs = busyCpuUs();
    if (!packageNj || !busyUs)
        return out;
    const quint64 busyDelta =
        m_lastBusyUs && *busyUs >= *m_lastBusyUs ? *busyUs - *m_lastBusyUs : 0;
    m_lastBusyUs = busyUs;

    QHash<quint64, Group> kept;
    for (quint64 id : groups) {
        const auto path = m_groupPaths.constFind(id);
        if (path == m_groupPaths.constEnd())
            continue;
        const std::optional<quint64> usage = usageUs(*path + "/cpu.stat");
        if (!usage)
            continue;
        Group group;
        if (const auto previous = m_groups.constFind(id); previous != m_groups.constEnd()) {
            group = *previous;
            const quint64 used = *usage >= group.lastUsageUs ? *usage - group.lastUsageUs : 0;
            if (busyDelta > 0) {
                const double share =
                    std::min(1.0, static_cast<double>(used) / static_cast<double>(busyDelta));
                group.energyNj += static_cast<quint64>(static_cast<double>(*packageNj) * share);
            }
        }
        group.lastUsageUs = *usage;
        kept.insert(id, group);
        out.insert(id, group.energyNj);
    }
    // A group that was not asked about starts again from 0 when it comes back; the reader
    // forgets it at the same moment.
    m_groups = std::move(kept);
    m_groupPaths.removeIf([&](auto it) { return !m_groups.contains(it.key()); });
    return out;
}

} // namespace corvanite

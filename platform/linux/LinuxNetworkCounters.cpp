// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxNetworkCounters.h"

#include "platform/linux/ProcText.h"

#include <QFile>

#include <algorithm>

#include <net/if.h>
#include <sys/stat.h>

namespace corvanite {

LinuxNetworkCounters::LinuxNetworkCounters(const QString& root, int refreshEvery)
    : m_root(root)
    , m_refreshEvery(refreshEvery > 0 ? refreshEvery : 1)
    , m_dev(pathUnderRoot(root, "proc/net/dev"), 4096)
{
}

bool LinuxNetworkCounters::parseLine(std::string_view text, Line& line)
{
    proctext::skipSpaces(text);
    const std::size_t colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon >= kMaxName)
        return false;
    line.name = text.substr(0, colon);
    std::string_view rest = text.substr(colon + 1);
    // Receive: bytes packets errs drop fifo frame compressed multicast; transmit: bytes ...
    quint64 fields[9] = {};
    for (quint64& field : fields) {
        if (!proctext::takeU64(rest, field))
            return false;
    }
    line.received = fields[0];
    line.sent = fields[8];
    return true;
}

std::optional<NetworkTotals> LinuxNetworkCounters::readNetworkBytes()
{
    const std::string_view text = m_dev.read();
    if (!m_dev.ok())
        return std::nullopt;

    proctext::Lines lines(text);
    std::string_view lineText;
    bool complete = false;
    // Two header lines first.
    for (int i = 0; i < 2; ++i) {
        if (!lines.next(lineText, complete) || !complete)
            return std::nullopt;
    }
    m_interfaces.clear();
    while (lines.next(lineText, complete)) {
        Line line;
        if (!complete || !parseLine(lineText, line))
            return std::nullopt; // a cut-off table would make interfaces seem to vanish
        Interface entry;
        line.name.copy(entry.name.data(), line.name.size());
        entry.nameLength = line.name.size();
        entry.received = line.received;
        entry.sent = line.sent;
        m_interfaces.push_back(entry);
    }

    bool listChanged = m_interfaces.size() != m_known.size();
    for (std::size_t i = 0; !listChanged && i < m_interfaces.size(); ++i)
        listChanged = m_interfaces[i].view() != m_known[i].view();
    if (listChanged || ++m_readsSinceRefresh >= m_refreshEvery)
        refresh(listChanged);

    NetworkTotals totals;
    totals.interfaceSet = m_interfaceSet;
    for (std::size_t i = 0; i < m_interfaces.size(); ++i) {
        if (!m_known[i].counted)
            continue;
        totals.received += m_interfaces[i].received;
        totals.sent += m_interfaces[i].sent;
    }
    return totals;
}

void LinuxNetworkCounters::refresh(bool listChanged)
{
    m_readsSinceRefresh = 0;
    if (!listChanged) {
        bool setChanged = false;
        for (std::size_t i = 0; i < m_known.size(); ++i) {
            if (!m_known[i].physical)
                continue;
            const bool counted = isUpAndNotLoopback(i);
            setChanged = setChanged || counted != m_known[i].counted;
            m_known[i].counted = counted;
        }
        if (setChanged)
            ++m_interfaceSet;
        return;
    }

    const auto countedNames = [](const std::vector<Interface>& list) {
        std::vector<std::string_view> names;
        for (const Interface& entry : list) {
            if (entry.counted)
                names.push_back(entry.view());
        }
        return names;
    };
    const std::vector<Interface> before = m_known; // the names below point into it
    m_known = m_interfaces;
    m_flagFiles.clear();
    m_flagFiles.resize(m_known.size());
    struct stat info {};
    for (std::size_t i = 0; i < m_known.size(); ++i) {
        Interface& entry = m_known[i];
        entry.physical = ::stat(interfacePath(entry.view(), "device").constData(), &info) == 0;
        // Only physical interfaces can count, so only their flags are ever read; the file is
        // kept open for the periodic re-check.
        if (entry.physical)
            m_flagFiles[i] = std::make_unique<ProcFile>(interfacePath(entry.view(), "flags"), 64);
        entry.counted = entry.physical && isUpAndNotLoopback(i);
    }
    // Interfaces that come and go without being counted (a container's veth) leave the totals
    // comparable; any change among the counted ones does not.
    if (countedNames(before) != countedNames(m_known))
        ++m_interfaceSet;
}

bool LinuxNetworkCounters::isUpAndNotLoopback(std::size_t index)
{
    ProcFile* file = m_flagFiles[index].get();
    if (!file)
        return false;
    std::string_view text = file->read();
    quint64 flags = 0;
    if (!file->ok() || !proctext::takeHex(text, flags))
        return false;
    return (flags & IFF_UP) != 0 && (flags & IFF_LOOPBACK) == 0;
}

QByteArray LinuxNetworkCounters::interfacePath(std::string_view name, const char* leaf) const
{
    QByteArray path = pathUnderRoot(m_root, "sys/class/net/");
    path.append(name.data(), static_cast<qsizetype>(name.size()));
    path += '/';
    path += leaf;
    return path;
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NetworkCounters.h"
#include "platform/linux/ProcFile.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

namespace corvanite {

// Byte totals from /proc/net/dev over the counted interfaces: up, not loopback, and backed by a
// physical device (/sys/class/net/<if>/device exists), which on Linux is the wired and
// wireless class (en*, eth*, wl*) and leaves out bridges, tunnels, veths and the like.
//
// /proc/net/dev carries no flags, and reading each interface's sysfs flags on every pass would
// cost three system calls per interface, more than the rest of the network reading. So the
// counted set is cached and refreshed:
//  - at once when the interface list in /proc/net/dev changes (an interface added, removed or
//    renamed); that comparison is free because every pass parses the names anyway;
//  - every kRefreshEvery readings otherwise, to notice an interface going up or down. Only
//    interfaces with a physical device have their flags read, and those are few.
// Being late about "down" costs nothing: a down interface's counters do not move. Being late
// about "up" leaves a newly up adapter out for at most kRefreshEvery passes (10 s at the default
// 2 s interval).
class LinuxNetworkCounters final : public NetworkCountersSource {
public:
    static constexpr int kRefreshEvery = 5;

    explicit LinuxNetworkCounters(const QString& root = QStringLiteral("/"),
                                  int refreshEvery = kRefreshEvery);
    std::optional<NetworkTotals> readNetworkBytes() override;

    // One /proc/net/dev interface line, parsed.
    struct Line {
        std::string_view name;
        quint64 received = 0;
        quint64 sent = 0;
    };
    // Parses one interface line; false when it is malformed.
    static bool parseLine(std::string_view text, Line& line);

private:
    static constexpr std::size_t kMaxName = 16; // IFNAMSIZ

    struct Interface {
        std::array<char, kMaxName> name{};
        std::size_t nameLength = 0;
        bool physical = false;
        bool counted = false;
        quint64 received = 0;
        quint64 sent = 0;

        std::string_view view() const { return {name.data(), nameLength}; }
    };

    void refresh(bool listChanged);
    bool isUpAndNotLoopback(std::size_t index);
    QByteArray interfacePath(std::string_view name, const char* leaf) const;

    QString m_root;
    int m_refreshEvery;
    ProcFile m_dev;
    std::vector<Interface> m_interfaces; // this reading, in /proc/net/dev order
    std::vector<Interface> m_known;      // the list the counted set was last decided for
    std::vector<std::unique_ptr<ProcFile>> m_flagFiles; // per m_known entry; physical ones only
    int m_readsSinceRefresh = 0;
    quint64 m_interfaceSet = 0;
};

} // namespace corvanite

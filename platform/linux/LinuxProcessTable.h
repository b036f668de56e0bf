// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessTable.h"

#include <QByteArray>
#include <QString>

#include <dirent.h>
#include <unordered_map>

namespace corvanite {

// The process table from procfs: one read of /proc/<pid>/stat per process per scan (name,
// CPU times, resident pages); the name of a pid seen for the first time comes from the stat
// line's comm, or from argv[0]'s base name when comm was cut at 15 characters.
//
// Each known pid's stat file stays open between scans and is re-read from offset 0, which
// saves the open and close that dominate a scan. At most maxOpenFiles() descriptors are kept
// (a quarter of the soft descriptor limit, at most 4096), so the application never runs out
// of descriptors for its own files; pids beyond that are read with open/read/close.
class LinuxProcessTable final : public ProcessTable {
public:
    explicit LinuxProcessTable(const QString& root = QStringLiteral("/"));
    ~LinuxProcessTable() override;
    LinuxProcessTable(const LinuxProcessTable&) = delete;
    LinuxProcessTable& operator=(const LinuxProcessTable&) = delete;

    std::vector<RawProcess> readProcessesRaw(QHash<qint32, QString>& nameCache) override;

    // The kernel keeps this many bytes of a name in comm (TASK_COMM_LEN - 1).
    static constexpr std::size_t kCommCut = 15;

    std::size_t maxOpenFiles() const { return m_maxOpen; }
    std::size_t openFiles() const { return m_openCount; }

    // argv[0]'s base name when `comm` is the kernel's 15-character cut of it; else comm.
    static QString displayName(std::string_view comm, std::string_view cmdline);

private:
    struct Known {
        int fd = -1;
        quint64 seenInScan = 0;
    };

    std::string_view readStat(qint32 pid, Known& known, bool& reopened);
    QString lookUpName(qint32 pid, std::string_view comm);
    void forgetVanished();

    QByteArray m_procPath; // "<root>/proc"
    DIR* m_dir = nullptr;
    std::unordered_map<qint32, Known> m_known;
    std::size_t m_maxOpen = 0;
    std::size_t m_openCount = 0;
    quint64 m_scan = 0;
    quint64 m_nsPerTick = 10000000;
    quint64 m_pageSize = 4096;
    char m_buffer[1024];
    char m_nameBuffer[4096];
};

} // namespace corvanite

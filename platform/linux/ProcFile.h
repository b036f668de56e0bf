// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

namespace corvanite {

// A procfs or sysfs file kept open and re-read with one pread from offset 0 per reading. The
// kernel regenerates such a file on every read at offset 0, so this gives fresh contents without
// paying for open and close each time. The buffer grows when a reading fills it (so one pread
// always sees the whole file) and is reused afterwards: a steady-state reading allocates nothing.
class ProcFile {
public:
    explicit ProcFile(QByteArray path, std::size_t initialCapacity = 4096);
    ~ProcFile();
    ProcFile(const ProcFile&) = delete;
    ProcFile& operator=(const ProcFile&) = delete;

    // The whole file as read now, valid until the next read(). When the file cannot be read
    // the view is empty and ok() is false.
    std::string_view read();
    bool ok() const { return m_ok; }
    const QByteArray& path() const { return m_path; }

    // Reads a small file once (open, read, close); empty on failure.
    static QByteArray readOnce(const QByteArray& path);
    // The same into a caller's buffer, without allocating; at most `capacity` bytes.
    static std::string_view readInto(const char* path, char* buffer, std::size_t capacity);

private:
    bool ensureOpen();

    QByteArray m_path;
    std::vector<char> m_buffer;
    int m_fd = -1;
    bool m_ok = false;
};

// `relative` (no leading slash) under the root folder `root`, as a local 8-bit path.
QByteArray pathUnderRoot(const QString& root, const char* relative);

} // namespace corvanite

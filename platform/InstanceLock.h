// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace corvanite {

// An advisory lock that one process of the user holds for as long as it runs. The kernel drops
// it when the holder exits, however it exits, so a crash never leaves a stale lock behind.
class InstanceLock {
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock without waiting and records this process's id in the file.
    bool tryLock();
    // The process id recorded by the holder, when the file names one.
    std::optional<qint64> holderPid() const;
    // Why the lock file could not be opened, empty otherwise.
    QString error() const { return m_error; }

    // $XDG_RUNTIME_DIR/corvanite.lock, or the application's state folder without a runtime folder.
    static QString defaultPath();

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <sys/types.h>

namespace corvanite::test {

// A real child process started by the test, optionally in a process group of its own and with
// SIGTERM ignored. The destructor kills and reaps it (and its group when it leads one), so a
// test never leaves anything behind and never signals what it did not start.
class ChildProcess {
public:
    struct Options {
        bool ownGroup = true;
        bool ignoreTerm = false;
    };

    ChildProcess(const QStringList& argv, Options options);
    explicit ChildProcess(const QStringList& argv)
        : ChildProcess(argv, Options{})
    {
    }
    // Arguments as raw bytes, for program names that are not valid text.
    ChildProcess(const QList<QByteArray>& argv, Options options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool started() const { return m_pid > 0; }

    // The kernel's one-letter state from /proc/<pid>/stat; '\0' when it cannot be read.
    static char state(pid_t pid);
    // Waits up to `timeoutMs` for the state to satisfy `want`.
    static bool waitForState(pid_t pid, bool (*want)(char), int timeoutMs = 5000);
    // The pid a child wrote into `path` (a shell's "echo $! > file"), once it is there; 0 when
    // nothing came within `timeoutMs`.
    static qint32 readPid(const QString& path, int timeoutMs = 5000);
    // Reaps the child if it ended within `timeoutMs`; the signal that ended it, or 0 for an exit.
    std::optional<int> waitForEnd(int timeoutMs = 5000);

private:
    pid_t m_pid = -1;
    bool m_ownGroup = true;
    bool m_reaped = false;
};

} // namespace corvanite::test

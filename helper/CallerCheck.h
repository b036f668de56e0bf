// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>

namespace corvanite {

// Who may talk to the daemon, judged by the executable a caller runs. Without code signing, the
// nearest thing to "the same publisher" is "installed by the same package": the daemon's own
// install prefix, derived from where the daemon itself is installed. Only files nobody but root
// can replace count as installed.
//
// A daemon that is not installed that way (a build tree, a copy in a user's folder) has no
// publisher identity; it then admits every caller and leaves the guarding to polkit.
class CallerCheck {
public:
    // The prefix P when `ownExecutable` (an installed executable, see below) is
    // P/libexec/corvanite/corvanite-helper.
    static std::optional<QString> publisherPrefix(const QString& ownExecutable);
    // The path of the executable process `pid` runs when only root could have put it there, else
    // empty. A program replaced on disk while running is judged by the path it had.
    static QString installedExecutableOf(pid_t pid);
    // The check for this process, from /proc/self/exe.
    static CallerCheck forThisProcess();

    explicit CallerCheck(std::optional<QString> prefix)
        : m_prefix(std::move(prefix))
    {
    }

    bool hasPublisher() const { return m_prefix.has_value(); }
    std::optional<QString> prefix() const { return m_prefix; }

    // True when process `pid` runs one of the programs the publisher installs under its prefix
    // (P/bin/corvanite or a program in P/libexec/corvanite/) from a trusted path; true for any
    // process when there is no publisher identity. The pid comes from the bus, which knows it
    // from the caller's socket.
    bool admitsProcess(pid_t pid) const;

    // Every component of `path` from the root down is owned by root and writable by nobody else,
    // and the last one is a regular file.
    static bool isTrustedFile(const QString& path);

private:
    bool isPublisherProgram(const QString& path) const;

    std::optional<QString> m_prefix;
};

} // namespace corvanite

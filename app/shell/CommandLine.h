// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace corvanite {

// What the user asked for on the command line.
struct CommandLine {
    enum class Action { Run, Help, Version, Snapshot, Error };
    Action action = Action::Run;
    QString text; // the help or version text, or the error message

    static CommandLine parse(const QStringList& arguments);
    // The exit status for the actions that end the program before it starts.
    int exitCode() const { return action == Action::Error ? 2 : 0; }
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace corvanite {

// The daemon's only report channel: the system log (syslog, which the journal collects). Lines
// begin with "helper: ". Tests replace the sink to read the lines.
namespace SystemLog {

using Sink = std::function<void(const QString& line)>;

// Connects to syslog as the daemon; `alsoStderr` mirrors each line to stderr (test runs, where
// no syslog may be listening).
void open(bool alsoStderr);
// Replaces where lines go; an empty function restores syslog.
void setSink(Sink sink);
void write(const QString& line);

} // namespace SystemLog

} // namespace corvanite

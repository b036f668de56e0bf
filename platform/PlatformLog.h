// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace corvanite {

// Where the platform layer reports notable failures. The application routes these lines into
// its log; until it does, they go to stderr so nothing is lost. Lines follow the log's wording:
// plain English, anomalies beginning with "⚠ ".
namespace PlatformLog {

using Sink = std::function<void(const QString& line)>;

// Replaces the sink; an empty function restores stderr. Set once at startup, before readers run.
void setSink(Sink sink);
void write(const QString& line);

} // namespace PlatformLog

} // namespace corvanite

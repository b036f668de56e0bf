// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace corvanite::DesktopEntry {

// The keys of the [Desktop Entry] group with their raw (still escaped) values; localised keys
// such as Name[de] are kept under their full name. Nothing when the file cannot be read.
std::optional<QHash<QString, QString>> readGroup(const QString& path);

// String-value escapes: \s \n \t \r \\ .
QString escapeString(const QString& value);
QString unescapeString(const QString& raw);

// One Exec argument, quoted so any path survives (spaces, quotes, $, `, \, %), ready to be
// written as the raw value.
QString quoteExecArgument(const QString& argument);
// The arguments of a raw Exec value, unescaped and unquoted; nothing when the quoting is broken.
std::optional<QStringList> splitExec(const QString& raw);

// true/false values; anything else is nothing.
std::optional<bool> boolean(const QString& raw);

} // namespace corvanite::DesktopEntry

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgPaths.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace corvanite::XdgPaths {

namespace {

QString fromEnv(const char* name, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(name);
    // The XDG base directory rules ignore relative paths.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return home() + QLatin1Char('/') + fallbackUnderHome;
}

} // namespace

QString home()
{
    const QString fromEnv = qEnvironmentVariable("HOME");
    if (!fromEnv.isEmpty() && QDir::isAbsolutePath(fromEnv))
        return QDir::cleanPath(fromEnv);
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return QFile::decodeName(entry->pw_dir);
    return QDir::homePath();
}

QString configHome()
{
    return fromEnv("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString stateHome()
{
    return fromEnv("XDG_STATE_HOME", QStringLiteral(".local/state"));
}

QString appConfigDir()
{
    return configHome() + QStringLiteral("/corvanite");
}

QString appStateDir()
{
    return stateHome() + QStringLiteral("/corvanite");
}

} // namespace corvanite::XdgPaths

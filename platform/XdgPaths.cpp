#include "platform/XdgPaths.h"

#include <QDir>

namespace corvanite::XdgPaths {

namespace {

QString fromEnv(const char* name, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(name);
    // The XDG base directory rules ignore relative paths.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + QLatin1Char('/') + fallbackUnderHome;
}

} // namespace

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

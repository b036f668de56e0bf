// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/Log.h"

#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/XdgPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace corvanite {

Logger::Logger(QString folder, std::optional<bool> verboseEnabled, const Clock& clock)
    : m_folder(std::move(folder))
    , m_path(m_folder + QStringLiteral("/Corvanite.log"))
    , m_previousPath(m_folder + QStringLiteral("/Corvanite.old.log"))
    , m_verbose(verboseEnabled)
    , m_clock(clock)
{
}

Logger& Logger::shared()
{
    static Logger logger(XdgPaths::appStateDir(), std::nullopt, Clock::system());
    return logger;
}

QString Logger::timeOfDay(double absoluteSeconds)
{
    const double unix = absoluteSeconds + kUnixToAbsolute;
    const double whole = std::floor(unix);
    const auto seconds = static_cast<time_t>(whole);
    int millis = static_cast<int>((unix - whole) * 1000.0);
    millis = std::clamp(millis, 0, 999);
    tm local{};
    localtime_r(&seconds, &local);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, millis);
    return QString::fromLatin1(buffer);
}

void Logger::rotateIfNeeded()
{
    const QFileInfo info(m_path);
    if (!info.exists() || info.size() <= kRotationSize)
        return;
    QFile::remove(m_previousPath);
    QFile::rename(m_path, m_previousPath);
}

bool Logger::verboseEnabled()
{
    std::call_once(m_verboseOnce, [this] {
        if (!m_verbose)
            m_verbose = Preferences::standard().boolValue(QStringLiteral("verboseLog"));
    });
    return *m_verbose;
}

void Logger::debug(const QString& message)
{
    std::call_once(m_rotateOnce, [this] {
        QDir().mkpath(m_folder);
        rotateIfNeeded();
    });
    const QByteArray line = (QLatin1Char('[') + timeOfDay(m_clock.now()) + QStringLiteral("] ") +
                             message + QLatin1Char('\n'))
                                .toUtf8();
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        writeToStderr(line, errno);
        return;
    }
    // One write per line: O_APPEND makes concurrent lines land whole, one after another.
    [[maybe_unused]] const ssize_t written = ::write(fd, line.constData(), line.size());
    ::close(fd);
}

// A log folder that cannot be written (a file in its place, no permission) must not lose the
// lines: they go to stderr, after one line that says why.
void Logger::writeToStderr(const QByteArray& line, int error)
{
    std::call_once(m_fallbackOnce, [&] {
        const QByteArray why = "Corvanite: cannot write the log file " + QFile::encodeName(m_path) +
                               " (" + std::strerror(error) + "); log lines follow on stderr\n";
        [[maybe_unused]] const ssize_t w = ::write(STDERR_FILENO, why.constData(), why.size());
    });
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.constData(), line.size());
}

namespace Log {

void debug(const QString& message)
{
    Logger::shared().debug(message);
}

bool verboseEnabled()
{
    return Logger::shared().verboseEnabled();
}

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\n':
            out += QStringLiteral("\\n");
            continue;
        case '\r':
            out += QStringLiteral("\\r");
            continue;
        case '\t':
            out += QStringLiteral("\\t");
            continue;
        default:
            break;
        }
        if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(static_cast<uint>(u), 2, 16, QLatin1Char('0'));
        else if (u == 0x2028 || u == 0x2029)
            out += QStringLiteral("\\u%1").arg(static_cast<uint>(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace Log

} // namespace corvanite

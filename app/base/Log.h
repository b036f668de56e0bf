// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <mutex>
#include <optional>
#include <utility>

namespace corvanite {

class Clock;

// Appends one timestamped line per event to a plain-text log file. The file is opened, appended
// in one write and closed for every line, so lines stay whole when threads log at once. The
// log is rotated once per process, on the first line, when it has grown past 2 MiB.
class Logger {
public:
    static constexpr qint64 kRotationSize = 2 * 1024 * 1024;

    // verboseEnabled: std::nullopt reads "verboseLog" from the preferences on first need.
    Logger(QString folder, std::optional<bool> verboseEnabled, const Clock& clock);

    static Logger& shared();

    void debug(const QString& message);
    bool verboseEnabled();

    QString path() const { return m_path; }
    QString previousPath() const { return m_previousPath; }

    // "HH:mm:ss.SSS" in local time, always ASCII digits.
    static QString timeOfDay(double absoluteSeconds);

private:
    void rotateIfNeeded();
    void writeToStderr(const QByteArray& line, int error);

    QString m_folder;
    QString m_path;
    QString m_previousPath;
    std::optional<bool> m_verbose;
    std::once_flag m_rotateOnce;
    std::once_flag m_verboseOnce;
    std::once_flag m_fallbackOnce;
    const Clock& m_clock;
};

namespace Log {

// Always writes the line.
void debug(const QString& message);

// Text from outside the application (process names, paths, feed contents) made safe to put
// into a line: control characters, line and paragraph separators become escapes (\n, \t,
// \x1b, \u2028), so one event stays one line and a name cannot forge another line.
QString escaped(const QString& text);
bool verboseEnabled();

// Writes the message only when "verboseLog" was true at launch; otherwise the message is not
// even built. Call with a callable returning QString: Log::verbose([&] { return ...; }).
template <typename MakeMessage> void verbose(MakeMessage&& makeMessage)
{
    if (verboseEnabled())
        debug(std::forward<MakeMessage>(makeMessage)());
}

} // namespace Log

} // namespace corvanite

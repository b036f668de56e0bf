// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/Format.h"

#include "app/base/L10n.h"
#include "app/base/LocalizedFormatter.h"

#include <QDateTime>

#include <array>
#include <cmath>
#include <limits>

namespace corvanite::Format {

namespace {

// Byte and rate texts never follow a locale: the decimal separator is always a full stop.
QString plain(const QString& pattern, const QList<LArg>& args)
{
    return formatTemplate(pattern, args, QLocale::c());
}

// A rate that is not a finite, non-negative number cannot come from a counter difference;
// it is shown as nothing moving rather than as "nan".
double sanitizedRate(double bytesPerSecond)
{
    return std::isfinite(bytesPerSecond) && bytesPerSecond > 0 ? bytesPerSecond : 0.0;
}

struct TimePattern {
    QString hourMinute = QStringLiteral(":");
    QString minuteSecond = QStringLiteral(":");
    bool twelveHour = false;
};

// Reads the separators and the hour cycle from the locale's short time format (for example
// "HH:mm", "h:mm AP", "H.mm"). In the locale data a lowercase 'h' is the 12-hour field.
TimePattern timePattern(const QLocale& locale)
{
    TimePattern pattern;
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    qsizetype hourEnd = -1;
    bool inQuote = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            inQuote = !inQuote;
            continue;
        }
        if (inQuote)
            continue;
        if (c == QLatin1Char('a') || c == QLatin1Char('A'))
            pattern.twelveHour = true;
        if ((c == QLatin1Char('h') || c == QLatin1Char('H')) && hourEnd < 0) {
            pattern.twelveHour = pattern.twelveHour || c == QLatin1Char('h');
            hourEnd = i;
            while (hourEnd < format.size() && format[hourEnd] == c)
                ++hourEnd;
        }
        if (c == QLatin1Char('m') && hourEnd >= 0 && i >= hourEnd) {
            QString separator = format.mid(hourEnd, i - hourEnd);
            separator.remove(QLatin1Char('\''));
            // Words or spaces between the fields ("H時mm分") are not a separator we can reuse
            // for the seconds; keep the colon then.
            if (separator.size() == 1 && !separator[0].isLetterOrNumber() &&
                !separator[0].isSpace()) {
                pattern.hourMinute = separator;
                pattern.minuteSecond = separator;
            }
            break;
        }
    }
    return pattern;
}

QString twoDigits(int value, const QLocale& locale)
{
    const QString zero = locale.zeroDigit();
    QString text = locale.toString(value);
    while (text.size() < 2 * zero.size())
        text.prepend(zero);
    return text;
}

} // namespace

qint64 saturatingTruncate(double value)
{
    if (std::isnan(value))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit)
        return std::numeric_limits<qint64>::max();
    if (value <= -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(value);
}

QString byteString(quint64 bytes)
{
    if (bytes < 1024)
        return plain(QStringLiteral("%llu B"), {bytes});
    static const std::array<const char*, 5> units{"B", "KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    size_t unit = 1;
    while (value >= 1024.0 && unit + 1 < units.size()) {
        value /= 1024.0;
        ++unit;
    }
    return plain(QStringLiteral("%.1f %@"), {value, units[unit]});
}

QString speedString(double bytesPerSecond)
{
    const double rate = sanitizedRate(bytesPerSecond);
    if (rate >= 1000000.0)
        return plain(QStringLiteral("%.1f MB/s"), {rate / 1000000.0});
    if (rate >= 1000.0)
        return plain(QStringLiteral("%.0f KB/s"), {rate / 1000.0});
    return plain(QStringLiteral("%.0f B/s"), {rate});
}

QString compactSpeed(double bytesPerSecond)
{
    const double rate = sanitizedRate(bytesPerSecond);
    if (rate >= 1000000.0)
        return plain(QStringLiteral("%.1fM"), {rate / 1000000.0});
    if (rate >= 1000.0)
        return plain(QStringLiteral("%.0fK"), {rate / 1000.0});
    return plain(QStringLiteral("%.0fB"), {rate});
}

QString uptime(double seconds)
{
    if (!std::isfinite(seconds))
        return QStringLiteral("—");
    // Time since boot is never negative; a clock step must not show "-1m -5s".
    const qint64 s = std::max<qint64>(0, saturatingTruncate(seconds));
    if (s >= 86400)
        return L(QStringLiteral("format.uptime.days"), {s / 86400, (s % 86400) / 3600});
    if (s < 3600)
        return L(QStringLiteral("format.uptime.minutes"), {s / 60, s % 60});
    return L(QStringLiteral("format.uptime.hours"), {s / 3600, (s % 3600) / 60});
}

QString timeOfDay(QTime time, const QLocale& locale)
{
    const TimePattern pattern = timePattern(locale);
    int hour = time.hour();
    if (pattern.twelveHour) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    return twoDigits(hour, locale) + pattern.hourMinute + twoDigits(time.minute(), locale) +
           pattern.minuteSecond + twoDigits(time.second(), locale);
}

QString currentTime(const Clock& clock, const QLocale& locale)
{
    const qint64 ms = saturatingTruncate(std::floor(clock.unixNow() * 1000.0));
    return timeOfDay(QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).time(), locale);
}

} // namespace corvanite::Format

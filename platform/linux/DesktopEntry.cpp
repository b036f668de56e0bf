// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/DesktopEntry.h"

#include <QFile>

namespace corvanite::DesktopEntry {

std::optional<QHash<QString, QString>> readGroup(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(file.readAll());
    QHash<QString, QString> keys;
    bool inGroup = false;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            inGroup = trimmed == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inGroup || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        // The first occurrence of a key wins, as in other readers of the format.
        if (!keys.contains(key))
            keys.insert(key, line.mid(eq + 1).trimmed().toString());
    }
    return keys;
}

QString escapeString(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescapeString(const QString& raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            out += c;
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '\\':
            out += QLatin1Char('\\');
            break;
        default:
            // Not a string escape: leave it for the Exec quoting level.
            out += c;
            out += next;
        }
    }
    return out;
}

QString quoteExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // The string-level escape is undone before the quoting, so it is applied last.
    return escapeString(quoted);
}

std::optional<QStringList> splitExec(const QString& raw)
{
    const QString line = unescapeString(raw);
    QStringList args;
    qsizetype i = 0;
    while (i < line.size()) {
        if (line.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        QString arg;
        if (line.at(i) == QLatin1Char('"')) {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const QChar c = line.at(i++);
                if (c == QLatin1Char('"')) {
                    closed = true;
                    break;
                }
                if (c == QLatin1Char('\\') && i < line.size()) {
                    const QChar next = line.at(i);
                    if (next == QLatin1Char('"') || next == QLatin1Char('`') ||
                        next == QLatin1Char('$') || next == QLatin1Char('\\')) {
                        arg += next;
                        ++i;
                        continue;
                    }
                }
                arg += c;
            }
            if (!closed)
                return std::nullopt;
        } else {
            while (i < line.size() && line.at(i) != QLatin1Char(' '))
                arg += line.at(i++);
        }
        arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
        args.append(arg);
    }
    return args;
}

std::optional<bool> boolean(const QString& raw)
{
    if (raw == QLatin1String("true"))
        return true;
    if (raw == QLatin1String("false"))
        return false;
    return std::nullopt;
}

} // namespace corvanite::DesktopEntry

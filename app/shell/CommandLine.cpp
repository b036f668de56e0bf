// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/CommandLine.h"

#include <QCommandLineParser>

namespace corvanite {

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A system monitor in the desktop's status area. Without options it starts "
                       "the status item (or, without a display, writes the live figures to the "
                       "terminal)."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption snapshot(
        QStringLiteral("snapshot"),
        QStringLiteral("Take two readings of the machine one second apart, print the second as "
                       "JSON and exit. Needs no display and leaves a running Corvanite alone."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(snapshot);

    const QString program = QStringLiteral("corvanite");
    if (!parser.parse(arguments))
        return {Action::Error, program + QStringLiteral(": ") + parser.errorText() +
                                   QStringLiteral("\nTry 'corvanite --help' for the options.")};
    if (!parser.positionalArguments().isEmpty())
        return {Action::Error, program + QStringLiteral(": unexpected argument '") +
                                   parser.positionalArguments().first() +
                                   QStringLiteral("'\nTry 'corvanite --help' for the options.")};
    if (parser.isSet(help)) {
        // helpText() names the program from the application object, which does not exist yet.
        QString text = parser.helpText();
        const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(0, firstLineEnd, QStringLiteral("Usage: corvanite [options]"));
        return {Action::Help, text};
    }
    if (parser.isSet(version))
        return {Action::Version, program + QLatin1Char(' ') + QStringLiteral(CORVANITE_VERSION)};
    if (parser.isSet(snapshot))
        return {Action::Snapshot, {}};
    return {};
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/Log.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/CommandLine.h"
#include "app/shell/DisplayChoice.h"
#include "app/shell/MachineSources.h"
#include "app/shell/SingleInstance.h"
#include "app/shell/SnapshotCommand.h"
#include "app/shell/TerminationSignals.h"
#include "app/shell/Wiring.h"
#include "platform/Clock.h"
#include "platform/InstanceLock.h"
#include "platform/XdgPaths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace corvanite;

namespace {

QStringList argumentList(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

void printLine(FILE* out, const QString& text)
{
    std::fprintf(out, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine command = CommandLine::parse(argumentList(argc, argv));
    switch (command.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        printLine(stdout, command.text);
        return 0;
    case CommandLine::Action::Error:
        printLine(stderr, command.text);
        return command.exitCode();
    case CommandLine::Action::Snapshot: {
        QCoreApplication app(argc, argv);
        return runSnapshotCommand(machineSources(), Clock::system());
    }
    case CommandLine::Action::Run:
        break;
    }

    // Everything below takes its folders from HOME; without it they would land under "/".
    if (qEnvironmentVariableIsEmpty("HOME"))
        qputenv("HOME", QFile::encodeName(XdgPaths::home()));

    const DisplayChoice display = DisplayChoice::decide(DisplayChoice::probeEnvironment());
    if (const QString platform = display.platformToSet(); !platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.toLatin1());
    // X11 shared-memory images cost a blocking round trip to the server on every redraw of the
    // status item; its images are tiny, so plain requests are cheaper. The user's setting wins.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    std::unique_ptr<QCoreApplication> app;
    if (display.isHeadless())
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    // Closing the panel or a menu must not end an application that lives in the status area.
    if (!display.isHeadless())
        QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("corvanite"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANITE_VERSION));

    AppDelegate& delegate = AppDelegate::shared();
    // Before the first log line: a second instance must not write the first one's files.
    SingleInstance instance([&delegate] { delegate.showPanelOnRequest(); });
    switch (instance.claim(InstanceLock::defaultPath())) {
    case SingleInstance::Outcome::First:
        break;
    case SingleInstance::Outcome::AskedRunning:
        printLine(stderr, instance.message());
        return 0;
    case SingleInstance::Outcome::AlreadyRunning:
        printLine(stderr, instance.message());
        return 1;
    case SingleInstance::Outcome::Failed:
        // Better two instances than none: the user started this one on purpose.
        printLine(stderr, instance.message());
        break;
    }

    routePlatformLogToLog();
    Log::debug(display.reason);
    delegate.setHeadless(display.isHeadless());
    if (!display.isHeadless())
        delegate.applyDarkAppearance();

    TerminationSignals termination;
    termination.install();
    QObject::connect(&termination, &TerminationSignals::terminationRequested, app.get(),
                     &QCoreApplication::quit);
    QObject::connect(app.get(), &QCoreApplication::aboutToQuit, &delegate,
                     &AppDelegate::applicationWillTerminate);
    QTimer::singleShot(0, &delegate, &AppDelegate::applicationDidFinishLaunching);
    return app->exec();
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XdgAutostartEntry.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace corvanite;

// The entry we write is started by GLib's own desktop-entry launcher (what GNOME-family sessions
// use for autostart), even from a path that needs every kind of Exec quoting.
TEST(XdgAutostartLaunch, sessionLauncherStartsTheProgramFromOurEntry)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";

    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("started"));
    const QString program = dir.filePath(QStringLiteral("my apps/cor\"va$n`i\\te 'x' (1) #2"));
    QDir().mkpath(QFileInfo(program).absolutePath());
    {
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$0\" > '" + QFile::encodeName(marker) + "'\n");
    }
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    XdgAutostartEntry entry(dir.filePath(QStringLiteral("config")), {}, program);
    QString reason;
    ASSERT_TRUE(entry.enable(reason)) << reason.toStdString();

    QProcess launcher;
    launcher.start(gio, {QStringLiteral("launch"), entry.userEntryPath()});
    ASSERT_TRUE(launcher.waitForFinished(10000));
    EXPECT_EQ(launcher.exitCode(), 0) << launcher.readAllStandardError().toStdString();

    // The launcher does not wait for the program, and the file exists before its content is
    // written: wait for the content itself.
    QString written;
    const QDeadlineTimer deadline(10000);
    while (written != program && !deadline.hasExpired()) {
        QThread::msleep(20);
        QFile started(marker);
        if (started.open(QIODevice::ReadOnly))
            written = QString::fromUtf8(started.readAll());
    }
    EXPECT_EQ(written, program);
}

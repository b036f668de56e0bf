// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XdgAutostartEntry.h"
#include "platform/linux/DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

void writeText(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

QString makeProgram(const QString& path)
{
    writeText(path, QStringLiteral("#!/bin/sh\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString execProgramOf(const QString& entryPath)
{
    const auto group = DesktopEntry::readGroup(entryPath);
    if (!group)
        return {};
    const auto args = DesktopEntry::splitExec(group->value(QStringLiteral("Exec")));
    return args && args->size() == 1 ? args->first() : QStringLiteral("<bad Exec>");
}

} // namespace

TEST(DesktopEntry, execArgumentIsQuotedThenStringEscaped)
{
    struct Case {
        QString path;
        QString raw; // as written after "Exec="
    };
    const Case cases[] = {
        {QStringLiteral("/usr/bin/corvanite"), QStringLiteral("\"/usr/bin/corvanite\"")},
        {QStringLiteral("/opt/My Apps/corvanite"), QStringLiteral("\"/opt/My Apps/corvanite\"")},
        // Quoting escapes " $ ` \ with a backslash; the string escape then doubles that backslash.
        {QStringLiteral("/a/b\"c$d`e"), QStringLiteral("\"/a/b\\\\\"c\\\\$d\\\\`e\"")},
        // So a literal backslash takes four.
        {QStringLiteral("/a\\b"), QStringLiteral("\"/a\\\\\\\\b\"")},
        {QStringLiteral("/a/100%/x"), QStringLiteral("\"/a/100%%/x\"")},
        {QStringLiteral("/a/new\nline"), QStringLiteral("\"/a/new\\nline\"")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopEntry::quoteExecArgument(c.path), c.raw) << c.path.toStdString();
        EXPECT_EQ(DesktopEntry::splitExec(c.raw), QStringList{c.path}) << c.raw.toStdString();
    }
}

TEST(DesktopEntry, splitsCommandLinesWrittenByOthers)
{
    EXPECT_EQ(DesktopEntry::splitExec(QStringLiteral("corvanite --hidden %U")),
              (QStringList{QStringLiteral("corvanite"), QStringLiteral("--hidden"),
                           QStringLiteral("%U")}));
    EXPECT_EQ(DesktopEntry::splitExec(QStringLiteral("\"/opt/x y/app\"  -v")),
              (QStringList{QStringLiteral("/opt/x y/app"), QStringLiteral("-v")}));
    // Files that skip the string-level escape still read as meant.
    EXPECT_EQ(DesktopEntry::splitExec(QStringLiteral("\"/a/b\\\"c\\$d\"")),
              QStringList{QStringLiteral("/a/b\"c$d")});
    EXPECT_EQ(DesktopEntry::splitExec(QStringLiteral("\"/unterminated")), std::nullopt);
    EXPECT_EQ(DesktopEntry::splitExec(QString()), QStringList());
}

TEST(DesktopEntry, readsOnlyTheDesktopEntryGroup)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.desktop"));
    writeText(path, QStringLiteral("# comment\n"
                                   "[Desktop Entry]\r\n"
                                   "Name = Corvanite\n"
                                   "Name[de]=Korvanit\n"
                                   "Hidden=true\n"
                                   "Hidden=false\n"
                                   "[Desktop Action quit]\n"
                                   "Exec=elsewhere\n"));
    const auto group = DesktopEntry::readGroup(path);
    ASSERT_TRUE(group);
    EXPECT_EQ(group->value(QStringLiteral("Name")), QStringLiteral("Corvanite"));
    EXPECT_EQ(group->value(QStringLiteral("Name[de]")), QStringLiteral("Korvanit"));
    EXPECT_EQ(group->value(QStringLiteral("Hidden")), QStringLiteral("true"));
    EXPECT_FALSE(group->contains(QStringLiteral("Exec")));
    EXPECT_FALSE(DesktopEntry::readGroup(dir.filePath(QStringLiteral("missing.desktop"))));
}

class XdgAutostartEntryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString configHome = dir.filePath(QStringLiteral("config"));
    const QString systemDir = dir.filePath(QStringLiteral("xdg"));
    // A path that needs every kind of quoting an Exec line has.
    const QString program =
        makeProgram(dir.filePath(QStringLiteral("my apps/cor\"va$n`i\\te 100%")));
    XdgAutostartEntry entry{configHome, {systemDir}, program};

    QString userFile() const
    {
        return configHome + QStringLiteral("/autostart/com.corvanite.app.desktop");
    }
    QString systemFile() const
    {
        return systemDir + QStringLiteral("/autostart/com.corvanite.app.desktop");
    }
    QString entryText(const QString& extra) const
    {
        return QStringLiteral("[Desktop Entry]\nType=Application\nName=Corvanite\nExec=") +
               DesktopEntry::quoteExecArgument(program) + QLatin1Char('\n') + extra;
    }
};

TEST_F(XdgAutostartEntryTest, enableWritesAnEntryThatStartsThisProgram)
{
    EXPECT_EQ(entry.userEntryPath(), userFile());
    EXPECT_EQ(entry.status(), AutostartStatus::NotRegistered);
    QString reason;
    ASSERT_TRUE(entry.enable(reason)) << reason.toStdString();
    EXPECT_EQ(entry.status(), AutostartStatus::Enabled);
    EXPECT_EQ(execProgramOf(userFile()), program);
    const auto group = DesktopEntry::readGroup(userFile());
    EXPECT_EQ(group->value(QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_FALSE(group->contains(QStringLiteral("Hidden")));

    ASSERT_TRUE(entry.disable(reason)) << reason.toStdString();
    EXPECT_FALSE(QFileInfo::exists(userFile()));
    EXPECT_EQ(entry.status(), AutostartStatus::NotRegistered);
}

TEST_F(XdgAutostartEntryTest, entriesThatWouldNotStartTheProgramAreNotEnabled)
{
    struct Case {
        const char* name;
        QString text;
        AutostartStatus status;
    };
    const Case cases[] = {
        {"plain", entryText({}), AutostartStatus::Enabled},
        {"hidden", entryText(QStringLiteral("Hidden=true\n")), AutostartStatus::NotRegistered},
        {"hidden false", entryText(QStringLiteral("Hidden=false\n")), AutostartStatus::Enabled},
        {"GNOME switch off", entryText(QStringLiteral("X-GNOME-Autostart-enabled=false\n")),
         AutostartStatus::NotRegistered},
        {"TryExec missing", entryText(QStringLiteral("TryExec=/nonexistent/corvanite\n")),
         AutostartStatus::NotRegistered},
        {"program gone",
         QStringLiteral("[Desktop Entry]\nType=Application\nExec=/nonexistent/corvanite\n"),
         AutostartStatus::NotRegistered},
        {"program from PATH",
         QStringLiteral("[Desktop Entry]\nType=Application\nExec=sh -c true\n"),
         AutostartStatus::Enabled},
        {"no Exec", QStringLiteral("[Desktop Entry]\nType=Application\n"),
         AutostartStatus::NotRegistered},
        {"garbage", QStringLiteral("\x01\x02 not an entry"), AutostartStatus::NotRegistered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(userFile(), c.text);
        EXPECT_EQ(entry.status(), c.status);
        // Enabling always leaves an entry that starts this program.
        QString reason;
        ASSERT_TRUE(entry.enable(reason));
        EXPECT_EQ(entry.status(), AutostartStatus::Enabled);
        EXPECT_EQ(execProgramOf(userFile()), program);
    }
}

TEST_F(XdgAutostartEntryTest, systemWideEntryIsMaskedWhenDisabled)
{
    writeText(systemFile(), entryText({}));
    EXPECT_EQ(entry.status(), AutostartStatus::Enabled);

    QString reason;
    ASSERT_TRUE(entry.disable(reason)) << reason.toStdString();
    EXPECT_EQ(DesktopEntry::readGroup(userFile())->value(QStringLiteral("Hidden")),
              QStringLiteral("true"));
    EXPECT_EQ(entry.status(), AutostartStatus::NotRegistered);
    EXPECT_TRUE(QFileInfo::exists(systemFile()));

    ASSERT_TRUE(entry.enable(reason));
    EXPECT_EQ(entry.status(), AutostartStatus::Enabled);
}

TEST_F(XdgAutostartEntryTest, unknownProgramIsNotFoundAndCannotBeRegistered)
{
    XdgAutostartEntry lost(configHome, {systemDir}, QString());
    EXPECT_EQ(lost.status(), AutostartStatus::NotFound);
    QString reason;
    EXPECT_FALSE(lost.enable(reason));
    EXPECT_EQ(reason, QStringLiteral("the path of the running program could not be determined"));
    EXPECT_FALSE(QFileInfo::exists(userFile()));

    // An entry that still works is reported as it is, and can be removed.
    writeText(userFile(), entryText({}));
    EXPECT_EQ(lost.status(), AutostartStatus::Enabled);
    EXPECT_TRUE(lost.disable(reason));
    EXPECT_EQ(lost.status(), AutostartStatus::NotFound);
}

TEST_F(XdgAutostartEntryTest, blockedAutostartFolderFailsWithAReason)
{
    // A file where the folder should be blocks it even for root.
    writeText(configHome + QStringLiteral("/autostart"), QStringLiteral("not a folder"));
    QString reason;
    EXPECT_FALSE(entry.enable(reason));
    EXPECT_EQ(reason, QStringLiteral("could not create the folder ") + configHome +
                          QStringLiteral("/autostart"));
    EXPECT_EQ(entry.status(), AutostartStatus::NotRegistered);
}

TEST(XdgAutostartEntry, currentUserEntryFollowsXdgConfigHomeAndTheRunningProgram)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    const auto entry = XdgAutostartEntry::forCurrentUser();
    EXPECT_EQ(entry->userEntryPath(),
              dir.path() + QStringLiteral("/autostart/com.corvanite.app.desktop"));
    EXPECT_EQ(entry->program(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
}

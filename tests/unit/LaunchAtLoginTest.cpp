// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/LaunchAtLogin.h"
#include "platform/XdgPaths.h"
#include "platform/linux/XdgAutostartEntry.h"

#include "tests/support/FakeAutostartEntry.h"
#include "tests/support/LogWatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace corvanite;

namespace {

struct FileState {
    bool exists = false;
    ino_t inode = 0;
    timespec modified{};
    QByteArray bytes;

    static FileState of(const QString& path)
    {
        FileState state;
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return state;
        state.exists = true;
        state.inode = st.st_ino;
        state.modified = st.st_mtim;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            state.bytes = file.readAll();
        return state;
    }
    bool operator==(const FileState& o) const
    {
        return exists == o.exists && inode == o.inode && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && bytes == o.bytes;
    }
};

} // namespace

// The real entry in the sandbox's $XDG_CONFIG_HOME, with no system-wide folders in the way.
class LaunchAtLoginTest : public ::testing::Test {
protected:
    QTemporaryDir systemDir;
    std::unique_ptr<XdgAutostartEntry> entry;
    std::unique_ptr<LaunchAtLogin> launcher;

    void SetUp() override
    {
        qputenv("XDG_CONFIG_DIRS", systemDir.path().toLocal8Bit());
        QDir(XdgPaths::configHome() + QStringLiteral("/autostart")).removeRecursively();
        QFile::remove(XdgPaths::configHome() + QStringLiteral("/autostart"));
        entry = XdgAutostartEntry::forCurrentUser();
        launcher = std::make_unique<LaunchAtLogin>(*entry);
    }
    QString entryPath() const
    {
        return XdgPaths::configHome() + QStringLiteral("/autostart/com.corvanite.app.desktop");
    }
};

TEST_F(LaunchAtLoginTest, enableAndDisableLogTheNewStatus)
{
    ASSERT_FALSE(entry->program().isEmpty());
    EXPECT_FALSE(launcher->isEnabled());
    EXPECT_EQ(launcher->statusText(), QStringLiteral("notRegistered"));

    test::LogWatch log;
    EXPECT_TRUE(launcher->set(true));
    EXPECT_TRUE(launcher->isEnabled());
    EXPECT_FALSE(launcher->requiresApproval());
    EXPECT_EQ(launcher->statusText(), QStringLiteral("enabled"));
    EXPECT_TRUE(QFileInfo::exists(entryPath()));
    EXPECT_EQ(log.lines(),
              QStringList{QStringLiteral("Launch at login enabled successfully; status=enabled")});

    test::LogWatch log2;
    EXPECT_TRUE(launcher->set(false));
    EXPECT_FALSE(QFileInfo::exists(entryPath()));
    EXPECT_EQ(log2.lines(), QStringList{QStringLiteral(
                                "Launch at login disabled successfully; status=notRegistered")});
}

TEST_F(LaunchAtLoginTest, askingForTheCurrentStateTouchesAndLogsNothing)
{
    test::LogWatch log;
    EXPECT_TRUE(launcher->set(false));
    EXPECT_FALSE(FileState::of(entryPath()).exists);

    ASSERT_TRUE(launcher->set(true));
    const FileState before = FileState::of(entryPath());
    const test::LogWatch afterEnable;
    EXPECT_TRUE(launcher->set(true));
    EXPECT_TRUE(FileState::of(entryPath()) == before);
    EXPECT_TRUE(afterEnable.lines().isEmpty()) << afterEnable.lines().join('\n').toStdString();
    EXPECT_EQ(log.lines().size(), 1);
}

TEST_F(LaunchAtLoginTest, unwritableAutostartFolderIsAFailureWithItsReason)
{
    QDir().mkpath(XdgPaths::configHome());
    QFile blocker(XdgPaths::configHome() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    test::LogWatch log;
    EXPECT_FALSE(launcher->set(true));
    EXPECT_FALSE(launcher->isEnabled());
    EXPECT_EQ(log.lines(), QStringList{QStringLiteral("Failed to enable launch at login: could not "
                                                      "create the folder ") +
                                       XdgPaths::configHome() + QStringLiteral("/autostart")});
}

TEST(LaunchAtLogin, registrationWaitingForApprovalIsNotASuccess)
{
    test::FakeAutostartEntry fake;
    fake.current = AutostartStatus::RequiresApproval;
    fake.afterEnable = AutostartStatus::RequiresApproval;
    LaunchAtLogin launch(fake);
    EXPECT_TRUE(launch.requiresApproval());
    EXPECT_FALSE(launch.isEnabled());

    test::LogWatch log;
    EXPECT_FALSE(launch.set(true));
    EXPECT_EQ(fake.enableCalls, 1); // registers again
    EXPECT_EQ(log.lines(), QStringList{QStringLiteral(
                               "Launch at login enabled successfully; status=requiresApproval")});

    // Not enabled, so there is nothing to unregister.
    EXPECT_TRUE(launch.set(false));
    EXPECT_EQ(fake.disableCalls, 0);
}

TEST(LaunchAtLogin, refusedChangesAreLoggedWithTheirReason)
{
    test::FakeAutostartEntry fake;
    fake.refusal = QStringLiteral("Operation not permitted");
    LaunchAtLogin launch(fake);
    test::LogWatch log;
    EXPECT_FALSE(launch.set(true));
    fake.current = AutostartStatus::Enabled;
    EXPECT_FALSE(launch.set(false));
    fake.opens = false;
    launch.openSystemSettings();
    EXPECT_EQ(
        log.lines(),
        (QStringList{QStringLiteral("Failed to enable launch at login: Operation not permitted"),
                     QStringLiteral("Failed to disable launch at login: Operation not permitted"),
                     QStringLiteral("⚠ Could not open the login items settings")}));
}

TEST(LaunchAtLogin, statusNames)
{
    const std::pair<int, const char*> names[] = {
        {0, "notRegistered"}, {1, "enabled"}, {2, "requiresApproval"},
        {3, "notFound"},      {4, "unknown"}, {-1, "unknown"},
    };
    for (const auto& [value, name] : names) {
        EXPECT_EQ(LaunchAtLogin::statusName(static_cast<AutostartStatus>(value)),
                  QLatin1String(name));
    }
    test::FakeAutostartEntry fake;
    fake.current = AutostartStatus::NotFound;
    EXPECT_EQ(LaunchAtLogin(fake).statusText(), QStringLiteral("notFound"));
}

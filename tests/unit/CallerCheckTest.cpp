// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/CallerCheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace corvanite;

namespace {

// A prefix inside the build folder, which (like an install prefix) only root can write to when
// the tests run as root, as they do in CI.
class CallerCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root to stage root-owned installs";
        ASSERT_TRUE(m_dir.isValid());
        chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        if (!CallerCheck::isTrustedFile(install(QStringLiteral("probe"))))
            GTEST_SKIP() << "the build folder is writable by others than root";
    }

    QString prefix() const { return m_dir.path(); }

    // Copies /bin/sleep to `relative` under the prefix with root-only permissions.
    QString install(const QString& relative, mode_t mode = 0755) const
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile::remove(path);
        QFile::copy(QStringLiteral("/bin/sleep"), path);
        chmod(QFile::encodeName(path).constData(), mode);
        return path;
    }

    QTemporaryDir m_dir{QStringLiteral(CORVANITE_BINARY_DIR "/caller-check-XXXXXX")};
};

struct Child {
    explicit Child(const QString& program)
    {
        process.start(program, {QStringLiteral("30")});
        process.waitForStarted(5000);
    }
    ~Child()
    {
        process.kill();
        process.waitForFinished(5000);
    }
    pid_t pid() const { return static_cast<pid_t>(process.processId()); }
    QProcess process;
};

} // namespace

TEST(CallerCheckPrefix, comesFromTheDaemonsOwnInstalledPath)
{
    EXPECT_EQ(
        CallerCheck::publisherPrefix(QStringLiteral("/usr/libexec/corvanite/corvanite-helper")),
        QStringLiteral("/usr"));
    EXPECT_EQ(
        CallerCheck::publisherPrefix(QStringLiteral("/opt/cv/libexec/corvanite/corvanite-helper")),
        QStringLiteral("/opt/cv"));
    EXPECT_FALSE(CallerCheck::publisherPrefix(QStringLiteral("/usr/bin/corvanite-helper")));
    EXPECT_FALSE(CallerCheck::publisherPrefix(QString()));
}

// The unit test binary lives in a build tree, so this process has no publisher identity, and a
// check without one admits everybody (polkit still stands guard).
TEST(CallerCheckPrefix, aBuildTreeHasNoPublisherAndAdmitsEveryone)
{
    const CallerCheck check = CallerCheck::forThisProcess();
    EXPECT_FALSE(check.hasPublisher());
    EXPECT_TRUE(check.admitsProcess(getpid()));
}

TEST_F(CallerCheckTest, trustedFilesAreRootOnlyAllTheWayDown)
{
    const QString good = install(QStringLiteral("bin/corvanite"));
    EXPECT_TRUE(CallerCheck::isTrustedFile(good));
    EXPECT_FALSE(CallerCheck::isTrustedFile(install(QStringLiteral("bin/g"), 0775)));
    EXPECT_FALSE(CallerCheck::isTrustedFile(install(QStringLiteral("bin/o"), 0757)));
    const QString foreign = install(QStringLiteral("bin/foreign"));
    ASSERT_EQ(chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
    EXPECT_FALSE(CallerCheck::isTrustedFile(foreign));
    const QString link = m_dir.filePath(QStringLiteral("bin/link"));
    QFile::link(good, link);
    EXPECT_FALSE(CallerCheck::isTrustedFile(link));
    EXPECT_FALSE(CallerCheck::isTrustedFile(m_dir.filePath(QStringLiteral("bin"))));
    EXPECT_FALSE(
        CallerCheck::isTrustedFile(m_dir.filePath(QStringLiteral("bin/../bin/corvanite"))));
    EXPECT_FALSE(CallerCheck::isTrustedFile(QStringLiteral("bin/corvanite")));

    const QString open = m_dir.filePath(QStringLiteral("open"));
    install(QStringLiteral("open/corvanite"));
    chmod(QFile::encodeName(open).constData(), 0777);
    EXPECT_FALSE(CallerCheck::isTrustedFile(open + QStringLiteral("/corvanite")));
}

// Only the publisher's own programs get in: the application, or a program of the daemon's
// folder; any other root-owned program under the same prefix does not.
TEST_F(CallerCheckTest, admitsOnlyThePublishersInstalledPrograms)
{
    const CallerCheck check(prefix());
    const Child app(install(QStringLiteral("bin/corvanite")));
    const Child tool(install(QStringLiteral("libexec/corvanite/tool")));
    const Child other(install(QStringLiteral("bin/sleep")));
    const Child nested(install(QStringLiteral("libexec/corvanite/sub/tool")));
    const Child writable(install(QStringLiteral("libexec/corvanite/writable"), 0777));
    EXPECT_TRUE(check.admitsProcess(app.pid()));
    EXPECT_TRUE(check.admitsProcess(tool.pid()));
    EXPECT_FALSE(check.admitsProcess(other.pid()));
    EXPECT_FALSE(check.admitsProcess(nested.pid()));
    EXPECT_FALSE(check.admitsProcess(writable.pid()));
    EXPECT_FALSE(check.admitsProcess(getpid()));
    EXPECT_FALSE(check.admitsProcess(0));
    EXPECT_FALSE(check.admitsProcess(-1));
}

// An upgrade replaces the program under a running application; it keeps its admission.
TEST_F(CallerCheckTest, aProgramReplacedWhileRunningIsJudgedByItsFormerPath)
{
    const CallerCheck check(prefix());
    const QString path = install(QStringLiteral("bin/corvanite"));
    const Child app(path);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(check.admitsProcess(app.pid()));
    const QString elsewhere = install(QStringLiteral("share/corvanite"));
    const Child misplaced(elsewhere);
    ASSERT_TRUE(QFile::remove(elsewhere));
    EXPECT_FALSE(check.admitsProcess(misplaced.pid()));
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/CallerCheck.h"
#include "tests/support/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::ChildProcess;

namespace {

// The build installed the way a package installs it: prefix /usr under a DESTDIR in the build
// folder, which only root can write to when the tests run as root (as in CI). The daemon there
// derives its publisher from its own installed path, just as /usr/libexec/corvanite/... would.
class InstalledCallerCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root: an installed tree is owned by root";
        ASSERT_TRUE(m_dir.isValid());
        chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), root());
        install.setProcessEnvironment(env);
        install.start(QStringLiteral(CORVANITE_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(CORVANITE_BINARY_DIR),
                       QStringLiteral("--prefix"), QStringLiteral("/usr")});
        ASSERT_TRUE(install.waitForFinished(60000));
        ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
        if (!CallerCheck::isTrustedFile(app()))
            GTEST_SKIP() << "the build folder is writable by others than root";
        m_home = m_dir.filePath(QStringLiteral("home/user"));
        ASSERT_TRUE(QDir().mkpath(m_home + QStringLiteral("/.local/bin")));
    }

    QString root() const { return m_dir.filePath(QStringLiteral("root")); }
    QString app() const { return root() + QStringLiteral("/usr/bin/corvanite"); }
    QString helper() const
    {
        return root() + QStringLiteral("/usr/libexec/corvanite/corvanite-helper");
    }

    // The program kept running without a display in a sandboxed home; each run has its own
    // runtime folder, so none finds another's instance lock and exits.
    std::unique_ptr<ChildProcess> run(const QString& program) const
    {
        static int runs = 0;
        const QString runtime = m_dir.filePath(QStringLiteral("run%1").arg(++runs));
        QDir().mkpath(runtime);
        chmod(QFile::encodeName(runtime).constData(), 0700);
        return std::make_unique<ChildProcess>(QStringList{
            QStringLiteral("/usr/bin/env"), QStringLiteral("-i"), QStringLiteral("HOME=") + m_home,
            QStringLiteral("XDG_RUNTIME_DIR=") + runtime,
            QStringLiteral("XDG_STATE_HOME=") + runtime + QStringLiteral("/state"), program});
    }

    // A copy of the installed program in the home, owned by the home's user as a copy made
    // there would be.
    QString copyIntoHome(uid_t owner) const
    {
        const QString copy = m_home + QStringLiteral("/.local/bin/corvanite");
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(app(), copy));
        chmod(QFile::encodeName(copy).constData(), 0755);
        for (const QString& path :
             {m_dir.filePath(QStringLiteral("home/user")), m_home + QStringLiteral("/.local"),
              m_home + QStringLiteral("/.local/bin"), copy})
            EXPECT_EQ(chown(QFile::encodeName(path).constData(), owner, owner), 0);
        return copy;
    }

    QTemporaryDir m_dir{QStringLiteral(CORVANITE_BINARY_DIR "/installed-caller-XXXXXX")};
    QString m_home;
};

// Waits until the child's exe link shows the program (after env's exec).
bool runs(const ChildProcess& child, const QString& program)
{
    for (int i = 0; i < 100; ++i) {
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(child.pid())) == program)
            return true;
        usleep(20000);
    }
    return false;
}

} // namespace

TEST_F(InstalledCallerCheckTest, theInstalledApplicationIsAdmittedAndACopyInTheHomeIsNot)
{
    const std::optional<QString> prefix = CallerCheck::publisherPrefix(helper());
    ASSERT_EQ(prefix, root() + QStringLiteral("/usr"));
    const CallerCheck check(prefix);
    ASSERT_TRUE(CallerCheck::isTrustedFile(helper()));

    const auto installed = run(app());
    ASSERT_TRUE(runs(*installed, app()));
    EXPECT_TRUE(check.admitsProcess(installed->pid()));

    // A user's own copy: the user could have put anything there.
    const QString usersCopy = copyIntoHome(65534);
    const auto copied = run(usersCopy);
    ASSERT_TRUE(runs(*copied, usersCopy));
    EXPECT_FALSE(check.admitsProcess(copied->pid()));

    // Even a root-owned copy is refused outside the prefix: the place is what counts.
    const QString rootsCopy = copyIntoHome(0);
    const auto rootCopied = run(rootsCopy);
    ASSERT_TRUE(runs(*rootCopied, rootsCopy));
    EXPECT_TRUE(CallerCheck::isTrustedFile(rootsCopy));
    EXPECT_FALSE(check.admitsProcess(rootCopied->pid()));
}

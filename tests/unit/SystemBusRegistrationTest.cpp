// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/SystemBusRegistration.h"
#include "app/comfort/FanHelperClient.h"

#include "tests/support/LogWatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace corvanite;
using corvanite::test::LogWatch;

namespace {

void put(const QString& path, const QByteArray& contents, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A system root with an installed Corvanite under `prefix` (relative to the root).
class InstallTree {
public:
    explicit InstallTree(const QString& prefix)
        : m_prefix(QDir::cleanPath(m_dir.path() + QLatin1Char('/') + prefix))
    {
        helper = m_prefix + QStringLiteral("/libexec/corvanite/corvanite-helper");
        put(executable(), "app", true);
        put(helper, "helper", true);
        put(m_prefix + QStringLiteral("/libexec/corvanite/corvanite-register-helper"), "tool",
            true);
        put(m_prefix + QStringLiteral("/share/dbus-1/system-services/com.corvanite.helper.service"),
            serviceFile());
        put(m_prefix + QStringLiteral("/share/dbus-1/system.d/com.corvanite.helper.conf"), "<x/>");
        put(m_prefix + QStringLiteral("/share/polkit-1/actions/com.corvanite.helper.policy"),
            "<x/>");
        put(m_prefix + QStringLiteral("/lib/systemd/system/corvanite-helper.service"), unitFile());
    }

    QString root() const { return m_dir.path(); }
    QString prefix() const { return m_prefix; }
    QString executable() const { return m_prefix + QStringLiteral("/bin/corvanite"); }
    QString system(const QString& path) const { return m_dir.path() + QLatin1Char('/') + path; }
    QByteArray serviceFile() const
    {
        return "[D-BUS Service]\nName=com.corvanite.helper\nExec=" + QFile::encodeName(helper) +
               "\nUser=root\n";
    }
    QByteArray unitFile() const
    {
        return "[Service]\nExecStart=" + QFile::encodeName(helper) + "\n";
    }

    SystemBusRegistration registration(QStringList runner = {}) const
    {
        SystemBusRegistration::Layout layout;
        layout.executable = executable();
        layout.systemRoot = root();
        layout.owner = getuid();
        layout.runner = std::move(runner);
        return SystemBusRegistration(layout);
    }

    QString helper;

private:
    QTemporaryDir m_dir{QStringLiteral(CORVANITE_BINARY_DIR "/install-XXXXXX")};
    QString m_prefix;
};

} // namespace

TEST(SystemBusRegistration, stateFollowsWhereTheFilesAre)
{
    // Installed to /usr: the package's files are already where the bus and polkit read them.
    InstallTree usr(QStringLiteral("usr"));
    EXPECT_EQ(usr.registration().status(), FanHelperState::enabled);
    // Under systemd the unit must be found too; /usr/lib/systemd/system is one of its folders.
    QDir().mkpath(usr.system(QStringLiteral("run/systemd/system")));
    EXPECT_EQ(usr.registration().status(), FanHelperState::enabled);

    // Installed to /opt: nothing is where the system looks until registered.
    InstallTree opt(QStringLiteral("opt/corvanite"));
    EXPECT_EQ(opt.registration().status(), FanHelperState::notRegistered);
    put(opt.system(QStringLiteral("usr/local/share/dbus-1/system-services/"
                                  "com.corvanite.helper.service")),
        opt.serviceFile());
    put(opt.system(QStringLiteral("etc/dbus-1/system.d/com.corvanite.helper.conf")), "<x/>");
    EXPECT_EQ(opt.registration().status(), FanHelperState::notRegistered) << "no polkit action";
    put(opt.system(QStringLiteral("usr/share/polkit-1/actions/com.corvanite.helper.policy")),
        "<x/>");
    EXPECT_EQ(opt.registration().status(), FanHelperState::enabled);
    QDir().mkpath(opt.system(QStringLiteral("run/systemd/system")));
    EXPECT_EQ(opt.registration().status(), FanHelperState::notRegistered) << "no unit";
    put(opt.system(QStringLiteral("etc/systemd/system/corvanite-helper.service")), opt.unitFile());
    EXPECT_EQ(opt.registration().status(), FanHelperState::enabled);
    // A bus service that starts another install's helper does not count.
    put(opt.system(QStringLiteral("usr/local/share/dbus-1/system-services/"
                                  "com.corvanite.helper.service")),
        "[D-BUS "
        "Service]\nName=com.corvanite.helper\nExec=/usr/libexec/corvanite/corvanite-helper\n");
    EXPECT_EQ(opt.registration().status(), FanHelperState::notRegistered);
}

TEST(SystemBusRegistration, anythingButAnInstalledProgramIsUnavailable)
{
    InstallTree usr(QStringLiteral("usr"));
    SystemBusRegistration::Layout build;
    build.executable = QStringLiteral(CORVANITE_BINARY_DIR "/corvanite");
    build.systemRoot = usr.root();
    build.owner = getuid();
    EXPECT_EQ(SystemBusRegistration(build).status(), FanHelperState::unavailable);

    QFile::setPermissions(usr.helper, QFile::permissions(usr.helper) | QFile::WriteGroup);
    EXPECT_EQ(usr.registration().status(), FanHelperState::unavailable) << "replaceable helper";
    QFile::setPermissions(usr.helper, QFile::permissions(usr.helper) & ~QFile::WriteGroup);
    EXPECT_EQ(usr.registration().status(), FanHelperState::enabled);
    QFile::remove(usr.prefix() + QStringLiteral("/lib/systemd/system/corvanite-helper.service"));
    EXPECT_EQ(usr.registration().status(), FanHelperState::unavailable) << "incomplete install";

    InstallTree other(QStringLiteral("usr"));
    SystemBusRegistration::Layout stranger;
    stranger.executable = other.executable();
    stranger.systemRoot = other.root();
    stranger.owner = getuid() + 1;
    EXPECT_EQ(SystemBusRegistration(stranger).status(), FanHelperState::unavailable)
        << "files of another owner";
}

// The tool runs through the runner with its own path and the verb; a dismissed authorisation
// (pkexec's 126) is a failure with one log line, and the state is read again either way.
TEST(SystemBusRegistration, registeringRunsTheInstallsToolAndReadsTheStateAgain)
{
    InstallTree opt(QStringLiteral("opt/corvanite"));
    {
        FanHelperClient client(std::make_unique<SystemBusRegistration>(opt.registration(
            {QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("exit 126")})));
        EXPECT_EQ(client.state(), FanHelperState::notRegistered);
        LogWatch log;
        EXPECT_FALSE(client.registerHelper());
        EXPECT_EQ(log.lines(), QStringList(QStringLiteral("Helper registration failed: the "
                                                          "authorisation was dismissed; "
                                                          "state=notRegistered")));
    }
    // A runner that does what the tool does, into the test's system root.
    const QString script =
        QStringLiteral(
            "[ \"$1\" = register ] && [ \"$0\" = \"%1/libexec/corvanite/"
            "corvanite-register-helper\" ] || exit 3; "
            "p=%1/share; s=%2; "
            "mkdir -p $s/usr/local/share/dbus-1/system-services $s/etc/dbus-1/system.d "
            "$s/usr/share/polkit-1/actions && "
            "cp $p/dbus-1/system-services/* $s/usr/local/share/dbus-1/system-services/ && "
            "cp $p/dbus-1/system.d/* $s/etc/dbus-1/system.d/ && "
            "cp $p/polkit-1/actions/* $s/usr/share/polkit-1/actions/")
            .arg(opt.prefix(), opt.root());
    FanHelperClient client(std::make_unique<SystemBusRegistration>(
        opt.registration({QStringLiteral("sh"), QStringLiteral("-c"), script})));
    int changes = 0;
    QObject::connect(&client, &FanHelperClient::stateChanged, [&] { ++changes; });
    LogWatch log;
    EXPECT_TRUE(client.registerHelper());
    EXPECT_EQ(client.state(), FanHelperState::enabled);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(log.lines().isEmpty());

    FanHelperClient missing(std::make_unique<SystemBusRegistration>(
        opt.registration({QStringLiteral("/nonexistent/pkexec")})));
    EXPECT_FALSE(missing.registerHelper());
    EXPECT_TRUE(log.lines().last().startsWith(QStringLiteral("Helper registration failed: "
                                                             "/nonexistent/pkexec could not be "
                                                             "started; state=")));
}

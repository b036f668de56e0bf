#include "app/process/PausedGroup.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestSandbox.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvanite;
using namespace corvanite::test;

namespace {

bool isStopped(char s)
{
    return s == 'T';
}
bool isAwake(char s)
{
    return s == 'S' || s == 'R';
}

} // namespace

// The real application, told by its stored records that it froze a group, must thaw it on
// every polite way of ending it.
TEST(PausedGroupsOnQuit, everyTerminationSignalResumesTheFrozenGroups)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        ChildProcess frozen({QStringLiteral("sleep"), QStringLiteral("60")});
        ASSERT_TRUE(ChildProcess::waitForState(frozen.pid(), isAwake));
        ::kill(-frozen.pid(), SIGSTOP);
        ASSERT_TRUE(ChildProcess::waitForState(frozen.pid(), isStopped));
        const std::optional<quint64> start = LinuxProcessInfo().startTime(frozen.pid());
        ASSERT_TRUE(start.has_value());

        const QString home = TestSandbox::current().root() + QStringLiteral("/quit-%1").arg(signal);
        QDir().mkpath(home + QStringLiteral("/.config/corvanite"));
        QFile prefs(home + QStringLiteral("/.config/corvanite/preferences.json"));
        ASSERT_TRUE(prefs.open(QIODevice::WriteOnly));
        const QByteArray records = PausedGroup::encode(
            {{frozen.pid(), frozen.pid(), QStringLiteral("sleep"), *start, 1.0}});
        prefs.write(
            QJsonDocument(QJsonObject{{QStringLiteral("pausedGroups"),
                                       QJsonObject{{QStringLiteral("data"),
                                                    QString::fromLatin1(records.toBase64())}}}})
                .toJson());
        prefs.close();

        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME",
                                 "XDG_STATE_HOME", "DBUS_SESSION_BUS_ADDRESS"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), home);
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(CORVANITE_BINARY_DIR "/corvanite"));
        ASSERT_TRUE(app.waitForStarted(5000));
        // The first status line shows the application is up (and has reconciled at launch).
        QByteArray out;
        ASSERT_TRUE(waitFor(
            [&] {
                out += app.readAllStandardOutput();
                return out.contains('%');
            },
            10000));
        EXPECT_EQ(ChildProcess::state(frozen.pid()), 'T');

        ::kill(static_cast<pid_t>(app.processId()), signal);
        ASSERT_TRUE(app.waitForFinished(5000));
        EXPECT_TRUE(ChildProcess::waitForState(frozen.pid(), isAwake));
        QFile log(home + QStringLiteral("/.local/state/corvanite/Corvanite.log"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_TRUE(log.readAll().contains(
            QStringLiteral("Resumed app group: sleep pgid=%1").arg(frozen.pid()).toUtf8()));
    }
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/AppEnvironment.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSandbox.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

using namespace corvanite::test;

namespace {

// The real binary, in a home of its own, with no display and (unless a bus is given) no session
// bus.
class AppProcess {
public:
    explicit AppProcess(const QString& home, const QString& busAddress = {})
    {
        QProcessEnvironment env = headlessAppEnvironment(home, busAddress);
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        m_process.setProcessEnvironment(env);
        m_process.setProgram(QStringLiteral(CORVANITE_BINARY_DIR "/corvanite"));
    }
    ~AppProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    QProcess& process() { return m_process; }

    // Runs to the end; false when it did not end within the time.
    bool run(const QStringList& arguments, int timeoutMs = 15000)
    {
        m_process.setArguments(arguments);
        m_process.start();
        return m_process.waitForFinished(timeoutMs);
    }

    // Starts the live status line and waits for its first line.
    bool startLive()
    {
        m_process.start();
        return waitFor(
            [&] {
                m_out += m_process.readAllStandardOutput();
                return m_out.contains('\n');
            },
            10000);
    }

private:
    QProcess m_process;
    QByteArray m_out;
};

QString freshHome(const char* name)
{
    const QString home = TestSandbox::current().root() + QLatin1Char('/') + QLatin1String(name);
    QDir(home).removeRecursively();
    QDir().mkpath(home);
    return home;
}

quint64 memTotalBytes()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = meminfo.readLine().simplified().split(' ');
    return fields.size() >= 2 ? fields[1].toULongLong() * 1024 : 0;
}

} // namespace

TEST(CommandLine, helpVersionAndUnknownOptions)
{
    const QString home = freshHome("cli-home");
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* stdoutHas;
        const char* stderrHas;
    };
    const Case cases[] = {
        {{QStringLiteral("--version")}, 0, "corvanite " CORVANITE_VERSION, ""},
        {{QStringLiteral("--help")}, 0, "--snapshot", ""},
        {{QStringLiteral("--frobnicate")}, 2, "", "Unknown option 'frobnicate'"},
        {{QStringLiteral("extra")}, 2, "", "unexpected argument 'extra'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        AppProcess app(home);
        ASSERT_TRUE(app.run(c.arguments));
        EXPECT_EQ(app.process().exitCode(), c.exitCode);
        EXPECT_TRUE(app.process().readAllStandardOutput().contains(c.stdoutHas));
        EXPECT_TRUE(app.process().readAllStandardError().contains(c.stderrHas));
    }
    // None of them is a start: nothing is written to the user's folders.
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/.config/corvanite")));
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/.local/state/corvanite")));
}

TEST(CommandLine, snapshotPrintsTheMachineAsJsonAndTouchesNoFiles)
{
    const QString home = freshHome("snapshot-home");
    AppProcess app(home);
    ASSERT_TRUE(app.run({QStringLiteral("--snapshot")}));
    ASSERT_EQ(app.process().exitCode(), 0) << app.process().readAllStandardError().constData();
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(app.process().readAllStandardOutput(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject json = doc.object();

    const double cpu = json[QStringLiteral("cpu")][QStringLiteral("total")].toDouble(-1);
    EXPECT_GE(cpu, 0.0);
    EXPECT_LE(cpu, 100.0);
    EXPECT_EQ(json[QStringLiteral("cpu")][QStringLiteral("perCore")].toArray().size(),
              QDir(QStringLiteral("/sys/devices/system/cpu"))
                  .entryList({QStringLiteral("cpu[0-9]*")}, QDir::Dirs)
                  .size());
    EXPECT_EQ(
        static_cast<quint64>(json[QStringLiteral("memory")][QStringLiteral("total")].toDouble()),
        memTotalBytes());
    EXPECT_GT(json[QStringLiteral("uptime")].toDouble(), 0.0);
    EXPECT_TRUE(json[QStringLiteral("processes")].isArray());
    EXPECT_TRUE(json[QStringLiteral("processes")].toArray().size() > 1);
    EXPECT_TRUE(QStringList({QStringLiteral("normal"), QStringLiteral("warning"),
                             QStringLiteral("critical")})
                    .contains(json[QStringLiteral("memoryPressure")].toString()));
    for (const char* key :
         {"network", "disk", "thermal", "fans", "gpu", "battery", "energyRows", "sleepBlockers"})
        EXPECT_TRUE(json.contains(QLatin1String(key))) << key;

    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/.config/corvanite")));
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/.local/state/corvanite")));
}

// Without a session bus the lock file decides; the second start names the first one's pid.
TEST(SingleInstance, withoutABusASecondStartSaysWhoRunsAndExitsWithOne)
{
    const QString home = freshHome("lock-home");
    AppProcess first(home);
    ASSERT_TRUE(first.startLive()) << first.process().readAllStandardError().constData();

    AppProcess second(home);
    ASSERT_TRUE(second.run({}));
    EXPECT_EQ(second.process().exitCode(), 1);
    const QByteArray err = second.process().readAllStandardError();
    EXPECT_TRUE(err.contains("Corvanite already runs (pid " +
                             QByteArray::number(first.process().processId()) + ")"))
        << err.constData();

    ::kill(static_cast<pid_t>(first.process().processId()), SIGTERM);
    ASSERT_TRUE(first.process().waitForFinished(5000));
    // The lock goes with its holder: the next start is the one instance again.
    AppProcess third(home);
    ASSERT_TRUE(third.startLive());
}

// With a session bus the bus name decides; the second start asks the first to show its panel.
TEST(SingleInstance, onTheSessionBusASecondStartAsksTheFirstAndExitsWithZero)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
    const QString home = freshHome("bus-home");
    AppProcess first(home, bus.address());
    ASSERT_TRUE(first.startLive()) << first.process().readAllStandardError().constData();

    AppProcess second(home, bus.address());
    ASSERT_TRUE(second.run({}));
    EXPECT_EQ(second.process().exitCode(), 0);
    const QByteArray err = second.process().readAllStandardError();
    EXPECT_EQ(err.count('\n'), 1) << err.constData();
    EXPECT_TRUE(err.contains("already running")) << err.constData();

    QFile log(home + QStringLiteral("/.local/state/corvanite/Corvanite.log"));
    ASSERT_TRUE(waitFor(
        [&] {
            return log.open(QIODevice::ReadOnly) &&
                   QByteArray(log.readAll()).contains("Another start asked to show the panel");
        },
        5000));
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real application with its preferences folder on a filesystem that refuses writes: a full
// tmpfs, or a read-only bind mount. Both are staged for real in a mount namespace of the test's
// own (root or not, chmod would not stop a root process); without the right to make one, the
// tests skip.

#include "app/process/PausedGroup.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/AppEnvironment.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/NotificationServer.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSandbox.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

using namespace corvanite;
using namespace corvanite::test;

namespace {

// A mount namespace kept alive by a holder process: `setup` mounts inside it, the test reaches
// its files through /proc/<holder>/root and starts programs in it with nsenter.
class PrivateMounts {
public:
    explicit PrivateMounts(const QString& setup)
    {
        m_holder.start(QStringLiteral("unshare"),
                       {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                        QStringLiteral("private"), QStringLiteral("sh"), QStringLiteral("-c"),
                        setup + QStringLiteral(" && echo ready && exec sleep 600")});
        QByteArray out;
        m_ready = m_holder.waitForStarted(5000) &&
                  waitFor(
                      [&] {
                          out += m_holder.readAllStandardOutput();
                          return out.contains("ready") || m_holder.state() == QProcess::NotRunning;
                      },
                      5000) &&
                  out.contains("ready");
        if (!m_ready)
            m_error = QString::fromLocal8Bit(m_holder.readAllStandardError()).trimmed();
    }
    ~PrivateMounts()
    {
        m_holder.kill();
        m_holder.waitForFinished(2000);
    }

    bool isReady() const { return m_ready; }
    QString error() const { return m_error; }
    // `path` as seen from inside the namespace.
    QString inside(const QString& path) const
    {
        return QStringLiteral("/proc/%1/root%2").arg(m_holder.processId()).arg(path);
    }
    QStringList enter() const
    {
        return {QStringLiteral("-t"), QString::number(m_holder.processId()), QStringLiteral("-m"),
                QStringLiteral("--")};
    }

private:
    QProcess m_holder;
    bool m_ready = false;
    QString m_error;
};

QByteArray preferencesWith(const QList<PausedGroup>& groups)
{
    const QByteArray records = PausedGroup::encode(groups);
    return QJsonDocument(QJsonObject{{QStringLiteral("refreshInterval"), 1},
                                     {QStringLiteral("pausedGroups"),
                                      QJsonObject{{QStringLiteral("data"),
                                                   QString::fromLatin1(records.toBase64())}}}})
        .toJson();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Writes zeros into `path` until the filesystem has no room left.
bool fillUp(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, '\0');
    qint64 total = 0;
    for (qint64 n = 0; (n = file.write(block)) > 0;)
        total += n;
    return total > 0;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

int countOf(const QByteArray& text, const QByteArray& line)
{
    return static_cast<int>(text.count(line));
}

bool isAwake(char s)
{
    return s == 'S' || s == 'R';
}
bool isStopped(char s)
{
    return s == 'T';
}

} // namespace

// Two writes fail in one run: the launch drops a record whose group is no longer frozen, and the
// quit thaws the group still frozen. The file on disk stays exactly as it was, no temporary file
// is left beside it, the user is told once (one line on stderr and one desktop notice), and the
// application runs on and ends cleanly, thawing the group although the record cannot be updated.
TEST(PreferencesDiskFault, aRefusedWriteKeepsTheFileAndIsReportedOnce)
{
    struct Case {
        const char* name;
        const char* mount; // %1: the preferences folder
        bool fill;
    };
    const Case cases[] = {
        {"full tmpfs", "mount -t tmpfs -o size=64k corvanite-full '%1'", true},
        {"read-only bind mount", "mount --bind '%1' '%1' && mount -o remount,bind,ro '%1'", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString home =
            TestSandbox::current().root() + QStringLiteral("/disk-") + QString::number(c.fill);
        const QString folder = home + QStringLiteral("/.config/corvanite");
        const QString prefsPath = folder + QStringLiteral("/preferences.json");
        ASSERT_TRUE(QDir().mkpath(folder));

        ChildProcess frozen({QStringLiteral("sleep"), QStringLiteral("60")});
        ChildProcess thawed({QStringLiteral("sleep"), QStringLiteral("60")});
        ASSERT_TRUE(ChildProcess::waitForState(frozen.pid(), isAwake));
        ASSERT_TRUE(ChildProcess::waitForState(thawed.pid(), isAwake));
        ::kill(-frozen.pid(), SIGSTOP);
        ASSERT_TRUE(ChildProcess::waitForState(frozen.pid(), isStopped));
        LinuxProcessInfo info;
        const QByteArray original =
            preferencesWith({{frozen.pid(), frozen.pid(), QStringLiteral("sleep"),
                              *info.startTime(frozen.pid()), 1.0},
                             {thawed.pid(), thawed.pid(), QStringLiteral("sleep"),
                              *info.startTime(thawed.pid()), 1.0}});
        if (!c.fill) {
            ASSERT_TRUE(writeFile(prefsPath, original));
        }

        PrivateMounts mounts(QString::fromLatin1(c.mount).arg(folder));
        if (!mounts.isReady())
            GTEST_SKIP() << "no private mount namespace here: " << mounts.error().toStdString();
        const QString seen = mounts.inside(folder);
        if (c.fill) {
            ASSERT_TRUE(writeFile(mounts.inside(prefsPath), original));
            ASSERT_TRUE(fillUp(seen + QStringLiteral("/filler")));
        }
        const QStringList before = QDir(seen).entryList(QDir::Files | QDir::Hidden);

        PrivateBus bus;
        ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
        NotificationServer notices(bus.connect(QStringLiteral("notices-%1").arg(c.fill)));
        ASSERT_TRUE(notices.isRegistered());

        QProcess app;
        app.setProcessEnvironment(headlessAppEnvironment(home, bus.address()));
        app.start(QStringLiteral("nsenter"),
                  mounts.enter() << QStringLiteral(CORVANITE_BINARY_DIR "/corvanite"));
        ASSERT_TRUE(app.waitForStarted(5000));
        QByteArray out;
        const auto statusLines = [&] {
            out += app.readAllStandardOutput();
            return out.count('%');
        };
        const QString title = QStringLiteral("Preferences cannot be saved");
        const auto noticesShown = [&] {
            return std::count_if(notices.notified().begin(), notices.notified().end(),
                                 [&](const auto& n) { return n.summary == title; });
        };
        ASSERT_TRUE(waitFor([&] { return statusLines() >= 1 && noticesShown() >= 1; }, 10000))
            << "status lines " << statusLines() << ", notices " << noticesShown() << "\n"
            << app.readAllStandardError().constData();
        // Still sampling after the failure.
        const int shown = statusLines();
        ASSERT_TRUE(waitFor([&] { return statusLines() > shown; }, 10000));
        ASSERT_EQ(app.state(), QProcess::Running);

        ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
        ASSERT_TRUE(app.waitForFinished(5000));
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(app.exitCode(), 0);
        EXPECT_TRUE(ChildProcess::waitForState(frozen.pid(), isAwake));

        EXPECT_EQ(readFile(mounts.inside(prefsPath)), original);
        EXPECT_EQ(QDir(seen).entryList(QDir::Files | QDir::Hidden), before);
        const QByteArray err = app.readAllStandardError();
        EXPECT_EQ(countOf(err, title.toUtf8()), 1) << err.constData();
        spinEventLoop(200); // a second notice, were one sent, would arrive by now
        EXPECT_EQ(noticesShown(), 1);
        const QByteArray log =
            readFile(home + QStringLiteral("/.local/state/corvanite/Corvanite.log"));
        EXPECT_GE(countOf(log, "Could not write preferences to " + prefsPath.toUtf8()), 2)
            << log.constData();
    }
}

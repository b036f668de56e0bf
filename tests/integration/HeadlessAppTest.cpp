// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/AppEnvironment.h"
#include "tests/support/TestSandbox.h"
#include "tests/support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <csignal>

#include <gtest/gtest.h>

using namespace corvanite::test;

namespace {

// The real application binary, started the way a newcomer starts it on a machine with no display.
class HeadlessApp : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString home = TestSandbox::current().root() + QStringLiteral("/app-home");
        QDir().mkpath(home + QStringLiteral("/.config/corvanite"));
        QFile prefs(home + QStringLiteral("/.config/corvanite/preferences.json"));
        ASSERT_TRUE(prefs.open(QIODevice::WriteOnly));
        prefs.write(QJsonDocument(QJsonObject{{QStringLiteral("verboseLog"), true},
                                              {QStringLiteral("refreshInterval"), 1}})
                        .toJson());
        prefs.close();
        m_home = home;

        m_process.setProcessEnvironment(headlessAppEnvironment(home));
        m_process.setProgram(QStringLiteral(CORVANITE_BINARY_DIR "/corvanite"));
    }

    void TearDown() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    QString logText() const
    {
        QFile log(m_home + QStringLiteral("/.local/state/corvanite/Corvanite.log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    QString m_home;
    QProcess m_process;
};

} // namespace

TEST_F(HeadlessApp, printsLiveStatusLinesAndEndsCleanlyOnSigterm)
{
    m_process.start();
    ASSERT_TRUE(m_process.waitForStarted(5000));
    QByteArray out;
    // Two lines: the first pass has no previous counters, the second carries real rates.
    ASSERT_TRUE(waitFor(
        [&] {
            out += m_process.readAllStandardOutput();
            return out.count('\n') >= 2;
        },
        10000))
        << out.constData() << m_process.readAllStandardError().constData();
    const QList<QByteArray> lines = out.split('\n');
    EXPECT_TRUE(lines[1].contains('%')) << lines[1].constData();

    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    ASSERT_TRUE(m_process.waitForFinished(5000));
    EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_process.exitCode(), 0);

    const QString log = logText();
    EXPECT_TRUE(log.contains(QStringLiteral("] Sample duration: "))) << log.toStdString();
    // The insight engine has no table yet at launch, so the first pass scans even though
    // nothing shows the processes.
    EXPECT_TRUE(log.contains(QStringLiteral("ms (scanProcesses=true)"))) << log.toStdString();
}

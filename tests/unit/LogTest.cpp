// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/Log.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdlib>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFileOfSize(const QString& path, qint64 size, char fill)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(size, fill));
}

class UtcZone {
public:
    UtcZone()
    {
        const char* tz = std::getenv("TZ");
        m_saved = tz ? tz : "";
        m_had = tz != nullptr;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    ~UtcZone()
    {
        if (m_had)
            setenv("TZ", m_saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_saved;
    bool m_had = false;
};

} // namespace

TEST(Log, firstLineCreatesFolderAndFileWithTimestampedLine)
{
    QTemporaryDir dir;
    FakeClock clock;
    Logger log(dir.path() + QStringLiteral("/state/corvanite"), false, clock);
    log.debug(QStringLiteral("Panel opened"));
    log.debug(QStringLiteral("two\nlines"));
    const QList<QByteArray> lines = readAll(log.path()).split('\n');
    ASSERT_EQ(lines.size(), 4); // two entries, the second spanning two physical lines, then ""
    EXPECT_TRUE(lines[0].endsWith("] Panel opened"));
    EXPECT_TRUE(lines[1].endsWith("] two"));
    EXPECT_EQ(lines[2], "lines"); // no new timestamp for the continuation
    EXPECT_FALSE(QFile::exists(log.previousPath()));
}

TEST(Log, timeOfDayIsLocalZeroPaddedWithMillisecondsInAsciiDigits)
{
    UtcZone utc;
    // 2001-01-01 09:05:07.004 UTC
    const double instant = 9 * 3600 + 5 * 60 + 7 + 0.0045;
    EXPECT_EQ(Logger::timeOfDay(instant), QStringLiteral("09:05:07.004"));
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    EXPECT_EQ(Logger::timeOfDay(instant), QStringLiteral("09:05:07.004"));
    QLocale::setDefault(QLocale::c());

    FakeClock clock(instant);
    QTemporaryDir dir;
    Logger log(dir.path(), false, clock);
    log.debug(QStringLiteral("Panel opened"));
    EXPECT_EQ(readAll(log.path()), QByteArray("[09:05:07.004] Panel opened\n"));
}

TEST(Log, rotatesOnlyPastTwoMebibytesOncePerRun)
{
    struct Case {
        qint64 size;
        bool rotated;
    };
    for (const Case c : {Case{2097152, false}, Case{2097153, true}}) {
        QTemporaryDir dir;
        FakeClock clock;
        Logger log(dir.path(), false, clock);
        writeFileOfSize(log.path(), c.size, 'x');
        writeFileOfSize(log.previousPath(), 10, 'o'); // an earlier previous log
        log.debug(QStringLiteral("first"));
        log.debug(QStringLiteral("second"));
        const QByteArray current = readAll(log.path());
        if (c.rotated) {
            EXPECT_EQ(readAll(log.previousPath()).size(), c.size) << c.size;
            EXPECT_TRUE(current.startsWith('[')) << "fresh log expected";
            EXPECT_EQ(current.count('\n'), 2);
        } else {
            EXPECT_EQ(readAll(log.previousPath()), QByteArray(10, 'o')) << c.size;
            EXPECT_TRUE(current.startsWith(QByteArray(c.size, 'x')));
        }
    }
}

TEST(Log, verboseNeitherWritesNorBuildsItsMessageWhenOff)
{
    QTemporaryDir dir;
    FakeClock clock;
    Logger quiet(dir.path() + QStringLiteral("/a"), false, clock);
    Logger chatty(dir.path() + QStringLiteral("/b"), true, clock);
    int built = 0;
    auto make = [&] {
        ++built;
        return QStringLiteral("tick #1");
    };
    if (quiet.verboseEnabled())
        quiet.debug(make());
    EXPECT_EQ(built, 0);
    EXPECT_FALSE(QFile::exists(quiet.path()));
    if (chatty.verboseEnabled())
        chatty.debug(make());
    EXPECT_EQ(built, 1);
    EXPECT_TRUE(readAll(chatty.path()).endsWith("] tick #1\n"));
}

TEST(Log, sharedVerboseFollowsThePreferenceReadOnce)
{
    // The shared logger reads "verboseLog" from the sandboxed preferences: absent means off.
    int built = 0;
    Log::verbose([&] {
        ++built;
        return QStringLiteral("never");
    });
    EXPECT_EQ(built, 0);
}

TEST(Log, concurrentWritersKeepEveryLineWhole)
{
    QTemporaryDir dir;
    FakeClock clock;
    Logger log(dir.path(), false, clock);
    const QString payload(300, QLatin1Char('z'));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i)
                log.debug(QStringLiteral("t%1 %2").arg(t).arg(payload));
        });
    }
    for (auto& th : threads)
        th.join();
    const QList<QByteArray> lines = readAll(log.path()).split('\n');
    ASSERT_EQ(lines.size(), 801);
    for (int i = 0; i < 800; ++i)
        ASSERT_TRUE(lines[i].endsWith(payload.toLatin1())) << "line " << i << " torn";
}

TEST(Log, unusableFolderSendsLinesToStderrAfterSayingWhyOnce)
{
    QTemporaryDir dir;
    const QString blocker = dir.path() + QStringLiteral("/file");
    writeFileOfSize(blocker, 1, 'x');
    FakeClock clock;
    Logger log(blocker + QStringLiteral("/corvanite"), false, clock);
    testing::internal::CaptureStderr();
    log.debug(QStringLiteral("first"));
    log.debug(QStringLiteral("second"));
    const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_FALSE(QFile::exists(log.path()));
    EXPECT_EQ(err.count(QStringLiteral("cannot write the log file")), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("] first\n")));
    EXPECT_TRUE(err.contains(QStringLiteral("] second\n")));
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/integration/UpdateCheckerFixture.h"

#include <gtest/gtest.h>

using namespace corvanite;
using namespace corvanite::test;

namespace {

TEST_F(UpdateCheckerTest, automaticChecksRunOncePerDayAndOnlyWhenAllowed)
{
    m_server.setReplies(kFeedPath, {HttpReply::json(feed("1.2")), HttpReply::json(feed("1.3"))});
    auto checker = makeChecker();

    m_autoCheck = false;
    checker->autoCheckIfDue();
    spinEventLoop(100);
    EXPECT_EQ(m_server.requests().size(), 0);

    // Never checked before: due at once.
    m_autoCheck = true;
    checker->autoCheckIfDue();
    ASSERT_TRUE(waitForResults(1));
    EXPECT_EQ(lastCheckAt(), m_clock.unixNow());
    EXPECT_TRUE(m_states.isEmpty());

    for (const double step : {6 * 3600.0, 12 * 3600.0, 6 * 3600.0 - 1}) {
        m_clock.advance(step);
        checker->autoCheckIfDue();
    }
    spinEventLoop(100);
    EXPECT_EQ(m_server.requests().size(), 1);

    m_clock.advance(1); // exactly a day after the last check
    checker->autoCheckIfDue();
    ASSERT_TRUE(waitForResults(2));
    EXPECT_EQ(m_server.requests().size(), 2);
    EXPECT_EQ(checker->availableVersion(), QStringLiteral("1.3"));
    EXPECT_EQ(checker->manualState(), UpdateCheckState::Idle);
    EXPECT_TRUE(m_states.isEmpty());

    // Switched off, even an overdue check waits; a manual check still runs.
    m_autoCheck = false;
    m_clock.advance(7 * 86400);
    checker->autoCheckIfDue();
    spinEventLoop(100);
    EXPECT_EQ(m_server.requests().size(), 2);
    checker->checkNow();
    ASSERT_TRUE(waitForResults(3));
}

TEST_F(UpdateCheckerTest, lastCheckInTheFutureCountsAsDue)
{
    m_server.setReply(kFeedPath, HttpReply::json(feed("1.2")));
    m_preferences->setDouble(kLastCheckAt, m_clock.unixNow() + 10 * 86400);
    auto checker = makeChecker();
    checker->autoCheckIfDue();
    ASSERT_TRUE(waitForResults(1));
    EXPECT_EQ(lastCheckAt(), m_clock.unixNow());
}

TEST_F(UpdateCheckerTest, startAutoCheckArmsTheLaunchRunAndTheSixHourTimer)
{
    m_autoCheck = false; // only whether the timers ask is of interest here
    auto checker = makeChecker();
    EXPECT_FALSE(checker->launchCheckTimer().isActive());
    EXPECT_FALSE(checker->periodicCheckTimer().isActive());

    checker->startAutoCheck();
    const QTimer& launch = checker->launchCheckTimer();
    const QTimer& periodic = checker->periodicCheckTimer();
    EXPECT_TRUE(launch.isActive());
    EXPECT_TRUE(launch.isSingleShot());
    EXPECT_EQ(launch.interval(), 10 * 1000);
    EXPECT_TRUE(periodic.isActive());
    EXPECT_FALSE(periodic.isSingleShot());
    EXPECT_EQ(periodic.interval(), 21600 * 1000);

    // Both timers run the due step when they fire.
    checker->launchCheckTimer().start(0);
    ASSERT_TRUE(waitFor([&] { return m_autoCheckAsked == 1; }));
    EXPECT_FALSE(checker->launchCheckTimer().isActive());
    checker->periodicCheckTimer().setTimerType(Qt::PreciseTimer); // coarse rounds up to 1 s
    checker->periodicCheckTimer().start(0);
    ASSERT_TRUE(waitFor([&] { return m_autoCheckAsked >= 3; }));
    checker->periodicCheckTimer().stop();
    EXPECT_EQ(m_server.requests().size(), 0);
}

TEST_F(UpdateCheckerTest, feedAddressOverrideIsUsedOnlyWhenItIsAWebAddress)
{
    auto checker = makeChecker();
    const QUrl fallback = UpdateChecker::defaultFeedURL();
    EXPECT_EQ(fallback.scheme(), QStringLiteral("https"));
    EXPECT_TRUE(fallback.path().endsWith(QStringLiteral("/updates/version.json")));

    struct Override {
        const char* stored;
        QUrl expected;
    };
    const Override cases[] = {
        {"https://mirror.example/feed.json",
         QUrl(QStringLiteral("https://mirror.example/feed.json"))},
        {"http://127.0.0.1:8080/v.json", QUrl(QStringLiteral("http://127.0.0.1:8080/v.json"))},
        {"", fallback},
        {"not a url", fallback},
        {"mirror.example/feed.json", fallback},
        {"file:///etc/passwd", fallback},
        {"ftp://mirror.example/feed.json", fallback},
        {"https://", fallback},
    };
    for (const Override& c : cases) {
        m_preferences->setString(QStringLiteral("updateFeedURL"), QString::fromUtf8(c.stored));
        EXPECT_EQ(checker->feedURL(), c.expected) << c.stored;
    }
    // A value of another kind is no address either.
    m_preferences->setDouble(QStringLiteral("updateFeedURL"), 3);
    EXPECT_EQ(checker->feedURL(), fallback);
    m_preferences->remove(QStringLiteral("updateFeedURL"));
    EXPECT_EQ(checker->feedURL(), fallback);
}

TEST_F(UpdateCheckerTest, downloadPageOpensOnlyWhenAnUpdateIsKnown)
{
    m_server.setReply(kFeedPath, HttpReply::json(feed("3.0", "https://dl.example/3")));
    auto checker = makeChecker();
    EXPECT_FALSE(checker->openDownloadPage());
    EXPECT_TRUE(m_opened.isEmpty());

    checker->checkNow();
    ASSERT_TRUE(waitForResults(1));
    EXPECT_TRUE(checker->openDownloadPage());
    EXPECT_EQ(m_opened, QList<QUrl>({QUrl(QStringLiteral("https://dl.example/3"))}));

    m_openerWorks = false;
    EXPECT_FALSE(checker->openDownloadPage());
}

TEST_F(UpdateCheckerTest, currentVersionIsTheBuiltVersionOrZero)
{
    EXPECT_EQ(UpdateChecker::builtInVersion(), QStringLiteral(CORVANITE_VERSION));
    EXPECT_EQ(makeChecker(3000, QString())->currentVersion(), QStringLiteral("0"));

    // Without a version of its own every published version but "0" is newer.
    m_server.setReplies(kFeedPath, {HttpReply::json(feed("0.0.1")), HttpReply::json(feed("0.0"))});
    auto checker = makeChecker(3000, QString());
    checker->checkNow();
    ASSERT_TRUE(waitForResults(1));
    checker->checkNow();
    ASSERT_TRUE(waitForResults(2));
    EXPECT_EQ(resultLines(),
              QStringList({QStringLiteral("Update available: 0.0.1 (current 0)"),
                           QStringLiteral("Update check: up to date (current 0, feed 0.0)")}));
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/integration/UpdateCheckerFixture.h"

#include <QNetworkAccessManager>
#include <QTcpServer>

#include <gtest/gtest.h>

using namespace corvanite;
using namespace corvanite::test;

namespace {

TEST_F(UpdateCheckerTest, publishesNewerVersionsAndClearsThemWhenUpToDate)
{
    m_server.setReplies(kFeedPath, {HttpReply::json(feed("1.2.1", "https://dl.example/a")),
                                    HttpReply::json(feed("1.2")), HttpReply::json(feed("1.1.9")),
                                    HttpReply::json(feed("1.10", "https://dl.example/b"))});
    auto checker = makeChecker();
    EXPECT_EQ(checker->manualState(), UpdateCheckState::Idle);

    checker->checkNow();
    EXPECT_EQ(checker->manualState(), UpdateCheckState::Checking);
    ASSERT_TRUE(waitForResults(1));
    EXPECT_EQ(checker->availableVersion(), QStringLiteral("1.2.1"));
    EXPECT_EQ(checker->downloadURL(), QUrl(QStringLiteral("https://dl.example/a")));
    EXPECT_EQ(lastCheckAt(), m_clock.unixNow());

    m_clock.advance(60);
    checker->checkNow();
    ASSERT_TRUE(waitForResults(2));
    EXPECT_EQ(checker->availableVersion(), std::nullopt);
    EXPECT_EQ(checker->downloadURL(), std::nullopt);
    EXPECT_EQ(lastCheckAt(), m_clock.unixNow());

    checker->checkNow();
    ASSERT_TRUE(waitForResults(3));
    EXPECT_EQ(checker->availableVersion(), std::nullopt);

    checker->checkNow();
    ASSERT_TRUE(waitForResults(4));
    EXPECT_EQ(checker->availableVersion(), QStringLiteral("1.10"));
    EXPECT_EQ(checker->downloadURL(), QUrl(QStringLiteral("https://dl.example/b")));

    EXPECT_EQ(resultLines(),
              QStringList({
                  QStringLiteral("Update available: 1.2.1 (current 1.2.0)"),
                  QStringLiteral("Update check: up to date (current 1.2.0, feed 1.2)"),
                  QStringLiteral("Update check: up to date (current 1.2.0, feed 1.1.9)"),
                  QStringLiteral("Update available: 1.10 (current 1.2.0)"),
              }));
    // An update found leaves the manual state idle; nothing newer shows "up to date".
    EXPECT_EQ(m_states, QStringList({"checking", "idle", "checking", "upToDate", "checking",
                                     "upToDate", "checking", "idle"}));
    // Every successful check assigns the version, also when it stays empty.
    EXPECT_EQ(m_versionSignals, 4);

    const auto requests = m_server.requests();
    ASSERT_EQ(requests.size(), 4);
    EXPECT_EQ(requests[0].method, QByteArray("GET"));
}

struct FailureCase {
    const char* name;
    QList<HttpReply> replies; // what the failing check gets
    QString reason;           // what follows "Update check failed: "
    int transferTimeoutMs = 3000;
};

HttpReply withFillerBody(qint64 size, bool sendLength)
{
    HttpReply reply;
    reply.fillerBodySize = size;
    reply.sendContentLength = sendLength;
    return reply;
}

HttpReply silent()
{
    HttpReply reply;
    reply.neverAnswer = true;
    return reply;
}

HttpReply trickling()
{
    // Each byte comes well inside the silence limit, but the whole body would take seconds.
    HttpReply reply = HttpReply::json(feed("9.9") + QByteArray(200, ' '));
    reply.trickleIntervalMs = 40;
    reply.trickleBytes = 1;
    return reply;
}

TEST_F(UpdateCheckerTest, everyKindOfBadAnswerFailsAndKeepsTheKnownUpdate)
{
    const qint64 gib = qint64(1) << 30;
    const QList<FailureCase> cases = {
        {"404", {HttpReply::json(feed("9.9"), 404)}, kUnexpected},
        {"500", {HttpReply::json(feed("9.9"), 500)}, kUnexpected},
        {"204 empty", {HttpReply::json("", 204)}, kUnexpected},
        {"empty body", {HttpReply::json("")}, kUnexpected},
        {"not JSON", {HttpReply::json("<html>hello</html>")}, kUnexpected},
        {"JSON array", {HttpReply::json("[" + feed("9.9") + "]")}, kUnexpected},
        {"lacks url", {HttpReply::json(R"({"version":"9.9"})")}, kUnexpected},
        {"lacks version", {HttpReply::json(R"({"url":"https://x.example/"})")}, kUnexpected},
        {"version not a string",
         {HttpReply::json(R"({"version":9.9,"url":"https://x.example/"})")},
         kUnexpected},
        {"url not a URL", {HttpReply::json(feed("9.9", "not a url"))}, kUnexpected},
        {"url without scheme", {HttpReply::json(feed("9.9", "x.example/download"))}, kUnexpected},
        {"url to a local file",
         {HttpReply::json(feed("9.9", "file:///usr/bin/xterm"))},
         kUnexpected},
        {"url with a script scheme",
         {HttpReply::json(feed("9.9", "javascript:alert(1)"))},
         kUnexpected},
        {"url without host", {HttpReply::json(feed("9.9", "https:///download"))}, kUnexpected},
        {"huge body, declared", {withFillerBody(gib, true)}, kUnexpected},
        {"huge body, undeclared", {withFillerBody(gib, false)}, kUnexpected},
        {"never answers", {silent()}, QStringLiteral("The request timed out."), 300},
        {"trickles forever", {trickling()}, QStringLiteral("The request timed out."), 300},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_server.setReplies(kFeedPath,
                            QList<HttpReply>{HttpReply::json(feed("9.0", "https://dl.example/9"))} +
                                c.replies);
        m_logStart = QFileInfo(Logger::shared().path()).size();
        m_states.clear();
        auto checker = makeChecker(c.transferTimeoutMs);
        checker->checkNow();
        ASSERT_TRUE(waitForResults(1));
        ASSERT_EQ(checker->availableVersion(), QStringLiteral("9.0"));

        m_clock.advance(3600);
        const qint64 bytesBefore = m_server.bodyBytesWritten();
        checker->checkNow();
        ASSERT_TRUE(waitForResults(2));
        EXPECT_EQ(resultLines().value(1), QStringLiteral("Update check failed: ") + c.reason);
        EXPECT_EQ(checker->manualState(), UpdateCheckState::Failed);
        EXPECT_EQ(m_states, QStringList({"checking", "idle", "checking", "failed"}));
        EXPECT_EQ(checker->availableVersion(), QStringLiteral("9.0"));
        EXPECT_EQ(checker->downloadURL(), QUrl(QStringLiteral("https://dl.example/9")));
        // A failed check counts as a check: the next automatic one waits a day.
        EXPECT_EQ(lastCheckAt(), m_clock.unixNow());
        // A huge body is abandoned early, not read to its end.
        EXPECT_LT(m_server.bodyBytesWritten() - bytesBefore, 32 * 1024 * 1024);
    }
}

TEST_F(UpdateCheckerTest, bodyLimitIs64KiBInclusive)
{
    const auto padded = [](qsizetype total) {
        QByteArray body = R"({"version":"2.0","url":"https://dl.example/","pad":")";
        const QByteArray end = R"("})";
        body += QByteArray(total - body.size() - end.size(), 'p') + end;
        return body;
    };
    ASSERT_EQ(padded(64 * 1024).size(), 64 * 1024);
    m_server.setReplies(
        kFeedPath, {HttpReply::json(padded(64 * 1024)), HttpReply::json(padded(64 * 1024 + 1))});
    auto checker = makeChecker();
    checker->checkNow();
    ASSERT_TRUE(waitForResults(1));
    checker->checkNow();
    ASSERT_TRUE(waitForResults(2));
    EXPECT_EQ(resultLines(), QStringList({QStringLiteral("Update available: 2.0 (current 1.2.0)"),
                                          QStringLiteral("Update check failed: ") + kUnexpected}));
}

TEST_F(UpdateCheckerTest, transportErrorsReportTheirOwnDescription)
{
    // A port that was just free: nothing listens there.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    m_preferences->setString(
        QStringLiteral("updateFeedURL"),
        QStringLiteral("http://127.0.0.1:%1/updates/version.json").arg(closedPort));
    auto checker = makeChecker();
    checker->checkNow();
    ASSERT_TRUE(waitForResults(1));
    EXPECT_EQ(resultLines().value(0), QStringLiteral("Update check failed: Connection refused"));
    EXPECT_EQ(checker->manualState(), UpdateCheckState::Failed);

    // A redirect loop ends as a transport failure too, not as a hang.
    m_preferences->setString(QStringLiteral("updateFeedURL"),
                             m_server.url(QStringLiteral("/loop")).toString());
    m_server.setReply(QStringLiteral("/loop"), HttpReply::redirect("/loop"));
    checker->checkNow();
    ASSERT_TRUE(waitForResults(2));
    const QString line = resultLines().value(1);
    EXPECT_TRUE(line.startsWith(QStringLiteral("Update check failed: "))) << line.toStdString();
    EXPECT_FALSE(line.endsWith(kUnexpected)) << line.toStdString();
    EXPECT_LE(m_server.requestCount(QStringLiteral("/loop")), 10);
}

TEST_F(UpdateCheckerTest, followsRedirectsAndKeepsNoCookiesOrCache)
{
    m_preferences->setString(QStringLiteral("updateFeedURL"),
                             m_server.url(QStringLiteral("/old")).toString());
    m_server.setReply(QStringLiteral("/old"), HttpReply::redirect("/updates/version.json", 301));
    HttpReply cacheable = HttpReply::json(feed("1.3"));
    cacheable.headers += {{"Set-Cookie", "session=abc; Path=/"},
                          {"Cache-Control", "public, max-age=3600"},
                          {"ETag", "\"v1\""}};
    m_server.setReply(kFeedPath, cacheable);

    auto checker = makeChecker();
    checker->checkNow();
    ASSERT_TRUE(waitForResults(1));
    checker->checkNow();
    ASSERT_TRUE(waitForResults(2));
    EXPECT_EQ(resultLines().value(1), QStringLiteral("Update available: 1.3 (current 1.2.0)"));

    // Both checks reached the server, and the second carried nothing from the first.
    ASSERT_EQ(m_server.requestCount(kFeedPath), 2);
    for (const RecordedRequest& request : m_server.requests()) {
        EXPECT_FALSE(request.hasHeader("Cookie"));
        EXPECT_FALSE(request.hasHeader("If-None-Match"));
    }
}

TEST_F(UpdateCheckerTest, overlappingChecksAreHandledAsTheyArrive)
{
    HttpReply slow = HttpReply::json(feed("2.0"));
    slow.delayMs = 400;
    m_server.setReplies(kFeedPath, {slow, HttpReply::json(feed("1.2"))});
    auto checker = makeChecker();

    EXPECT_TRUE(checker->findChildren<QNetworkAccessManager*>().isEmpty());
    checker->checkNow();
    ASSERT_TRUE(waitFor([&] { return m_server.requests().size() == 1; }));
    checker->autoCheckIfDue();
    // Both checks share one network stack while they run...
    EXPECT_EQ(checker->findChildren<QNetworkAccessManager*>().size(), 1);
    ASSERT_TRUE(waitForResults(2));
    // ...and it is let go once the last has answered: checks are days apart.
    EXPECT_TRUE(waitFor([&] { return checker->findChildren<QNetworkAccessManager*>().isEmpty(); }));

    EXPECT_EQ(resultLines(),
              QStringList({
                  QStringLiteral("Update check: up to date (current 1.2.0, feed 1.2)"),
                  QStringLiteral("Update available: 2.0 (current 1.2.0)"),
              }));
    EXPECT_EQ(checker->availableVersion(), QStringLiteral("2.0"));
    // Only the manual check moves the manual state.
    EXPECT_EQ(m_states, QStringList({"checking", "idle"}));
}

TEST_F(UpdateCheckerTest, destroyingTheCheckerMidRequestIsSafe)
{
    m_server.setReply(kFeedPath, silent());
    auto checker = makeChecker();
    checker->checkNow();
    ASSERT_TRUE(waitFor([&] { return m_server.requests().size() == 1; }));
    checker.reset();
    // The connection is dropped with the checker, and no outcome arrives later.
    EXPECT_TRUE(waitFor([&] { return m_server.openConnections() == 0; }));
    spinEventLoop(100);
    EXPECT_TRUE(resultLines().isEmpty());
}

} // namespace

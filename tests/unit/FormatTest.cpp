// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/sampling/ProcessDetailReader.h"
#include "platform/Clock.h"

#include <QDateTime>

#include "tests/support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace corvanite;

namespace {

// The word texts come from the shipped tables; the tests pin the interface language and
// compare with the key formatted with the expected arguments.
class FormatFixture : public ::testing::Test {
protected:
    void SetUp() override { L10n::shared().setLanguage(AppLanguage::En); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    static void expectKey(const QString& actual, const char* key, const QList<LArg>& args)
    {
        const QString expected = L(QString::fromLatin1(key), args);
        EXPECT_NE(expected, QString::fromLatin1(key)) << "key missing from the English table";
        EXPECT_EQ(actual, expected) << key;
    }
};

} // namespace

TEST_F(FormatFixture, byteStringStepsBy1024UpToTerabytes)
{
    const std::vector<std::pair<quint64, const char*>> cases{
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1.0 KB"},
        {1048576, "1.0 MB"},
        {1610612736, "1.5 GB"},
        {1099511627776ULL * 1023, "1023.0 TB"},
        {1099511627776ULL * 1024, "1024.0 TB"},
        {std::numeric_limits<quint64>::max(), "16777216.0 TB"},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(Format::byteString(bytes), QString::fromLatin1(expected)) << bytes;
}

TEST_F(FormatFixture, ratesUseDecimalStepsWithInclusiveThresholds)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::tuple<double, const char*, const char*>> cases{
        {0, "0 B/s", "0B"},
        {12, "12 B/s", "12B"},
        {999, "999 B/s", "999B"},
        {999.6, "1000 B/s", "1000B"},
        {1000, "1 KB/s", "1K"},
        {1600, "2 KB/s", "2K"},
        {999999, "1000 KB/s", "1000K"},
        {1000000, "1.0 MB/s", "1.0M"},
        {2500000, "2.5 MB/s", "2.5M"},
        // Not a rate a counter difference can give: shown as still.
        {-5, "0 B/s", "0B"},
        {nan, "0 B/s", "0B"},
    };
    for (const auto& [rate, speed, compact] : cases) {
        EXPECT_EQ(Format::speedString(rate), QString::fromLatin1(speed)) << rate;
        EXPECT_EQ(Format::compactSpeed(rate), QString::fromLatin1(compact)) << rate;
    }
}

TEST_F(FormatFixture, byteAndRatePatternsIgnoreEveryLocale)
{
    L10n::shared().setLanguage(AppLanguage::De);
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(Format::byteString(1610612736), QStringLiteral("1.5 GB"));
    EXPECT_EQ(Format::speedString(1234567), QStringLiteral("1.2 MB/s"));
    EXPECT_EQ(Format::compactSpeed(2500000), QStringLiteral("2.5M"));
    EXPECT_EQ(Format::byteString(1099511627776ULL * 2000), QStringLiteral("2000.0 TB"));
}

TEST_F(FormatFixture, uptimePicksItsKeyByMagnitude)
{
    expectKey(Format::uptime(59), "format.uptime.minutes", {0, 59});
    expectKey(Format::uptime(3599.9), "format.uptime.minutes", {59, 59});
    expectKey(Format::uptime(3600), "format.uptime.hours", {1, 0});
    expectKey(Format::uptime(86399), "format.uptime.hours", {23, 59});
    expectKey(Format::uptime(90061), "format.uptime.days", {1, 1});
    expectKey(Format::uptime(-5), "format.uptime.minutes", {0, 0});
    EXPECT_EQ(Format::uptime(std::numeric_limits<double>::infinity()), QStringLiteral("—"));
    EXPECT_EQ(Format::uptime(90061), QStringLiteral("1d 1h"));
}

TEST_F(FormatFixture, cpuTimePicksSecondsFractionalMinutesOrHours)
{
    using ProcessDetailReader::cpuTimeString;
    expectKey(cpuTimeString(59'900'000'000ULL), "format.duration.seconds", {59.9});
    expectKey(cpuTimeString(150'000'000'000ULL), "format.duration.minSec", {2.5, 30.0});
    expectKey(cpuTimeString(3'725'000'000'000ULL), "format.duration.hourMin", {1, 2});
    EXPECT_EQ(cpuTimeString(150'000'000'000ULL), QStringLiteral("2.5 min"));
    // Just under a minute of minutes must not read as a rounded-up minute plus 60 s.
    EXPECT_EQ(cpuTimeString(119'000'000'000ULL), QStringLiteral("2.0 min"));
    EXPECT_EQ(cpuTimeString(std::numeric_limits<quint64>::max()),
              L(QStringLiteral("format.duration.hourMin"), {5124095, 34}));
    L10n::shared().setLanguage(AppLanguage::De);
    EXPECT_TRUE(cpuTimeString(150'000'000'000ULL).startsWith(QStringLiteral("2,5")));
}

TEST_F(FormatFixture, relativeTimeCountsWholeUnitsAgo)
{
    using ProcessDetailReader::relativeTime;
    FakeClock clock(800000000.0);
    const double now = clock.now();
    EXPECT_EQ(relativeTime(std::nullopt, clock), QStringLiteral("—"));
    EXPECT_EQ(relativeTime(std::numeric_limits<double>::quiet_NaN(), clock), QStringLiteral("—"));
    expectKey(relativeTime(now - 30, clock), "format.relative.justNow", {});
    expectKey(relativeTime(now + 600, clock), "format.relative.justNow", {});
    expectKey(relativeTime(now - 60, clock), "format.relative.minutesAgo", {1});
    expectKey(relativeTime(now - 3599, clock), "format.relative.minutesAgo", {59});
    expectKey(relativeTime(now - (2 * 3600 + 59 * 60), clock), "format.relative.hoursAgo", {2});
    expectKey(relativeTime(now - 3 * 86400, clock), "format.relative.daysAgo", {3});
    expectKey(relativeTime(-1e300, clock), "format.relative.daysAgo",
              {std::numeric_limits<qint64>::max()});
}

TEST_F(FormatFixture, timeOfDayKeepsTheLocaleClockWithoutMarker)
{
    const QTime afternoon(15, 4, 5);
    const std::vector<std::tuple<const char*, QTime, const char*>> cases{
        {"de_DE", afternoon, "15:04:05"},       {"en_GB", afternoon, "15:04:05"},
        {"en_US", afternoon, "03:04:05"},       {"en_US", QTime(0, 4, 5), "12:04:05"},
        {"en_US", QTime(12, 0, 0), "12:00:00"}, {"ko_KR", afternoon, "03:04:05"},
        {"ja_JP", afternoon, "15:04:05"},       {"fi_FI", afternoon, "15.04.05"},
        {"th_TH", QTime(9, 8, 7), "09:08:07"},
    };
    for (const auto& [locale, time, expected] : cases)
        EXPECT_EQ(Format::timeOfDay(time, QLocale(QString::fromLatin1(locale))),
                  QString::fromLatin1(expected))
            << locale;
}

TEST_F(FormatFixture, currentTimeReadsTheClockInLocalTime)
{
    FakeClock clock(700000000.25);
    const QLocale locale(QStringLiteral("de_DE"));
    const QDateTime local =
        QDateTime::fromMSecsSinceEpoch(qint64(clock.unixNow() * 1000), Qt::LocalTime);
    EXPECT_EQ(Format::currentTime(clock, locale), Format::timeOfDay(local.time(), locale));
}

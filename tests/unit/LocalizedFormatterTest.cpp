// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/LocalizedFormatter.h"

#include "tests/support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace corvanite;

namespace {

struct Case {
    const char* tmpl;
    QList<LArg> args;
    const char* locale;
    const char* expected;
};

void expectCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        const QString out = formatTemplate(QString::fromUtf8(c.tmpl), c.args,
                                           QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(out, QString::fromUtf8(c.expected)) << c.tmpl << " in " << c.locale;
    }
}

} // namespace

TEST(LocalizedFormatter, argumentTypesConvertImplicitly)
{
    const QList<LArg> args{1, 2L, 3LL, 4U, 5UL, 6ULL, 7.5, 1.5F, QStringLiteral("q"), "utf8 é"};
    const QList<LArg::Kind> kinds{LArg::Kind::Signed,   LArg::Kind::Signed,   LArg::Kind::Signed,
                                  LArg::Kind::Unsigned, LArg::Kind::Unsigned, LArg::Kind::Unsigned,
                                  LArg::Kind::Floating, LArg::Kind::Floating, LArg::Kind::String,
                                  LArg::Kind::String};
    ASSERT_EQ(args.size(), kinds.size());
    for (qsizetype i = 0; i < args.size(); ++i)
        EXPECT_EQ(args[i].kind(), kinds[i]) << i;
    EXPECT_EQ(args[9].stringValue(), QStringLiteral("utf8 é"));
}

TEST(LocalizedFormatter, formatsConversionsLikePrintf)
{
    expectCases({
        {"%@ and %@", {"a", QStringLiteral("b")}, "en", "a and b"},
        {"%@", {QString()}, "en", ""},
        {"[%d|%i|%ld|%lld]",
         {42, -7, 8L, std::numeric_limits<long long>::min()},
         "en",
         "[42|-7|8|-9223372036854775808]"},
        {"%u %lu %llu",
         {4000000000U, 5UL, std::numeric_limits<unsigned long long>::max()},
         "en",
         "4000000000 5 18446744073709551615"},
        {"%f", {3.5}, "en", "3.500000"},
        {"%.0f%%", {42.4}, "en", "42%"},
        // Exact binary ties round to even, as printf does.
        {"%.0f %.0f %.1f", {0.5, 2.5, 2.25}, "en", "0 2 2.2"},
        {"%.0f", {999.6}, "en", "1000"},
        {"[%5d|%-5d|%05d|%+d|% d|%.3d]",
         {42, 42, 42, 5, 5, 7},
         "en",
         "[   42|42   |00042|+5| 5|007]"},
        {"%-6@|%6@", {"ab", "cd"}, "en", "ab    |    cd"},
        {"%x %#X %o", {255, 255, 8}, "en", "ff 0XFF 10"},
        {"%e %g %G", {12345.678, 0.0001, 1e20}, "en", "1.234568e+04 0.0001 1E+20"},
        {"%08.2f", {-3.14159}, "en", "-0003.14"},
        {"%.1f", {-0.04}, "en", "0.0"},
        {"%'d %'.1f", {1234567, 1234.5}, "en", "1,234,567 1,234.5"},
    });
}

TEST(LocalizedFormatter, positionalArgumentsMayBeReorderedAndRepeated)
{
    expectCases({
        {"%2$@ %1$@", {"a", "b"}, "en", "b a"},
        {"%2$.1f/%1$d", {3, 2.25}, "en", "2.2/3"},
        {"%1$@-%1$@", {"x"}, "en", "x-x"},
        {"%1$.1f min", {2.5, 30.0}, "de", "2,5 min"},
    });
}

TEST(LocalizedFormatter, numbersFollowTheLocale)
{
    expectCases({
        {"%.1f", {3.5}, "de", "3,5"},
        {"%.1f", {3.5}, "en", "3.5"},
        {"%.1f", {3.5}, "fr", "3,5"},
        {"%'d", {1234567}, "de", "1.234.567"},
        // No grouping unless asked for: a PID or a year must not read "12.345".
        {"%d", {12345}, "de", "12345"},
        {"%@", {3.5}, "de", "3,5"},
        {"%@", {1234567}, "de", "1234567"},
        // Locales with their own digits get them, decimal separator included.
        {"%d %.1f", {12, 3.5}, "ar-EG", "١٢ ٣٫٥"},
        {"%.1f", {3.5}, "C", "3.5"},
    });
}

TEST(LocalizedFormatter, numbersConvertBetweenIntegerAndFloatingConversions)
{
    expectCases({
        {"%d", {3.9}, "en", "3"},
        {"%d", {-3.9}, "en", "-3"},
        {"%.1f", {2}, "en", "2.0"},
        {"%u", {-5}, "en", "-5"},
        {"%d", {std::numeric_limits<unsigned long long>::max()}, "en", "18446744073709551615"},
    });
}

TEST(LocalizedFormatter, brokenTemplatesKeepTheirText)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expectCases({
        {"%d", {}, "en", "%d"},
        {"%d and %d", {1}, "en", "1 and %d"},
        {"%d", {"text"}, "en", "%d"},
        {"%.1f", {"text"}, "en", "%.1f"},
        {"%3$@", {"a"}, "en", "%3$@"},
        {"%0$@", {"a"}, "en", "%0$@"},
        {"50%", {}, "en", "50%"},
        {"100% sure", {1}, "en", "100% sure"},
        {"%", {}, "en", "%"},
        {"%q", {1}, "en", "%q"},
        {"%5% %d", {1}, "en", "%5% 1"},
        {"%*d", {5, 1}, "en", "%*d"},
        {"%99999999999d", {1}, "en", "%99999999999d"},
        {"%.500f", {1.0}, "en", "%.500f"},
        {"%d", {nan}, "en", "%d"},
        {"%d", {1e300}, "en", "%d"},
        {"%f %F", {nan, -std::numeric_limits<double>::infinity()}, "en", "nan -INF"},
        {"%s", {"a"}, "en", "%s"},
    });
}

TEST(LocalizedFormatter, parseReportsArgumentsAndKinds)
{
    using Kind = TemplateConversion::Kind;
    const QList<TemplateConversion> conversions =
        parseTemplate(QStringLiteral("%2$.1f x %% %@ %d 50% "));
    ASSERT_EQ(conversions.size(), 5);
    EXPECT_EQ(conversions[0].kind, Kind::Floating);
    EXPECT_TRUE(conversions[0].positional);
    EXPECT_EQ(conversions[0].argument, 1);
    EXPECT_EQ(conversions[0].precision, 1);
    EXPECT_EQ(conversions[1].kind, Kind::Percent);
    EXPECT_EQ(conversions[2].kind, Kind::String);
    EXPECT_EQ(conversions[2].argument, 0);
    EXPECT_EQ(conversions[3].kind, Kind::Integer);
    EXPECT_EQ(conversions[3].argument, 1);
    EXPECT_EQ(conversions[4].kind, Kind::Invalid);
}

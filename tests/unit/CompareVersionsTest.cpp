// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/UpdateChecker.h"

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

struct VersionCase {
    const char* a;
    const char* b;
    VersionOrder expected;
};

const char* name(VersionOrder order)
{
    switch (order) {
    case VersionOrder::Ascending:
        return "ascending";
    case VersionOrder::Same:
        return "same";
    case VersionOrder::Descending:
        return "descending";
    }
    return "?";
}

} // namespace

TEST(CompareVersions, ordersNumberByNumber)
{
    const VersionCase cases[] = {
        {"1.2", "1.2.0", VersionOrder::Same},
        {"1.2.0", "1.2.1", VersionOrder::Ascending},
        {"1.10", "1.9", VersionOrder::Descending},
        {"1.9", "1.10", VersionOrder::Ascending},
        {"2.0-rc", "2", VersionOrder::Same}, // "0-rc" is not a number: 0
        {"1..2", "1.2", VersionOrder::Same}, // empty pieces are dropped
        {"1.2.", "1.2", VersionOrder::Same}, // a trailing full stop adds nothing
        {".1", "1", VersionOrder::Same},     // so does a leading one
        {"07", "7", VersionOrder::Same},     // leading zeros read in decimal, not octal
        {"1.08", "1.7", VersionOrder::Descending},
        {"3-beta", "0", VersionOrder::Same}, // not a number at all: 0
        {"3-beta", "3", VersionOrder::Ascending},
        {"+1", "1", VersionOrder::Same}, // an explicit sign is allowed
        {"-1", "0", VersionOrder::Ascending},
        {"+", "0", VersionOrder::Same},           // a sign alone is not a number
        {" 1", "1", VersionOrder::Ascending},     // nor is a number with blanks around it
        {"1.2a", "1.2", VersionOrder::Ascending}, // nor a number with letters after it
        {"", "0.0", VersionOrder::Same},
        {"0", "0.0.1", VersionOrder::Ascending},           // the fallback running version
        {"99999999999999999999", "0", VersionOrder::Same}, // past 64 bits: not a number
        {"9223372036854775807", "9223372036854775806", VersionOrder::Descending},
        {"\u0661", "1", VersionOrder::Ascending}, // only ASCII digits count
    };
    for (const VersionCase& c : cases) {
        const QString a = QString::fromUtf8(c.a);
        const QString b = QString::fromUtf8(c.b);
        EXPECT_STREQ(name(compareVersions(a, b)), name(c.expected)) << c.a << " vs " << c.b;
        // The order is symmetric: swapping the arguments swaps the answer.
        const VersionOrder swapped =
            c.expected == VersionOrder::Ascending    ? VersionOrder::Descending
            : c.expected == VersionOrder::Descending ? VersionOrder::Ascending
                                                     : VersionOrder::Same;
        EXPECT_STREQ(name(compareVersions(b, a)), name(swapped)) << c.b << " vs " << c.a;
    }
}

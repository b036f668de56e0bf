// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessScanner.h"

#include "tests/support/FakeSystemSources.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FakeProcessTable;

namespace {

constexpr quint64 kSecond = 1000000000ull; // nanoseconds

double percentOf(const ProcessScanner::Result& result, qint32 pid)
{
    for (const ProcessSample& p : result.processes) {
        if (p.pid == pid)
            return p.cpuPercent;
    }
    return -1.0;
}

} // namespace

TEST(ProcessScanner, cpuPercentOverTheIntervalBetweenScans)
{
    FakeProcessTable table;
    table.processes = {{100, QStringLiteral("one"), 5 * kSecond, 4096},
                       {200, QStringLiteral("eight"), 5 * kSecond, 8192},
                       {300, QStringLiteral("idle"), 5 * kSecond, 1}};
    ProcessScanner scanner;
    ProcessScanner::Result first = scanner.scan(1000.0, table);
    EXPECT_EQ(percentOf(first, 100), 0.0); // nobody has a baseline yet
    EXPECT_EQ(first.livePids, (QSet<qint32>{100, 200, 300}));

    table.processes[0].cpuTime += 2 * kSecond;  // one core for the whole 2 s
    table.processes[1].cpuTime += 16 * kSecond; // eight busy threads
    ProcessScanner::Result second = scanner.scan(1002.0, table);
    EXPECT_NEAR(percentOf(second, 100), 100.0, 1e-9);
    EXPECT_NEAR(percentOf(second, 200), 800.0, 1e-9);
    EXPECT_EQ(percentOf(second, 300), 0.0);
    EXPECT_EQ(second.processes[1], (ProcessSample{200, QStringLiteral("eight"), 800.0, 8192}));
}

TEST(ProcessScanner, noPercentWhenScansAreTooCloseOrTimeWentBackwards)
{
    struct Case {
        const char* name;
        double secondScanAfter;
        qint64 cpuTimeChange;
    };
    const Case cases[] = {
        {"0.05 s apart", 0.05, kSecond / 100},
        {"0.09 s apart", 0.09, kSecond / 100},
        {"cpu time went backwards (pid reused)", 2.0, -static_cast<qint64>(kSecond)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeProcessTable table;
        table.processes = {{100, QStringLiteral("p"), 5 * kSecond, 0}};
        ProcessScanner scanner;
        scanner.scan(1000.0, table);
        table.processes[0].cpuTime += c.cpuTimeChange;
        EXPECT_EQ(percentOf(scanner.scan(1000.0 + c.secondScanAfter, table), 100), 0.0);
        // The new reading became the baseline.
        table.processes[0].cpuTime += kSecond;
        EXPECT_NEAR(percentOf(scanner.scan(1000.0 + c.secondScanAfter + 1.0, table), 100), 100.0,
                    1e-6);
    }
}

TEST(ProcessScanner, vanishedPidIsForgottenAndComesBackAsNew)
{
    FakeProcessTable table;
    table.processes = {{100, QStringLiteral("old"), 5 * kSecond, 0}};
    ProcessScanner scanner;
    scanner.scan(1000.0, table);
    EXPECT_EQ(scanner.nameCache().value(100), QStringLiteral("old"));

    table.processes.clear();
    EXPECT_TRUE(scanner.scan(1002.0, table).processes.isEmpty());
    EXPECT_TRUE(scanner.nameCache().isEmpty());

    table.processes = {{100, QStringLiteral("new"), 9 * kSecond, 0}};
    const ProcessScanner::Result back = scanner.scan(1004.0, table);
    EXPECT_EQ(percentOf(back, 100), 0.0);
    EXPECT_EQ(back.processes[0].name, QStringLiteral("new"));
}

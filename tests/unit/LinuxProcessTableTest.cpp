// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxProcessTable.h"
#include "platform/linux/ProcStat.h"
#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

std::string statLine(const std::string& comm)
{
    // pid (comm) state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt
    // utime stime cutime cstime priority nice threads itreal starttime vsize rss ...
    return "812 (" + comm +
           ") S 1 812 812 0 -1 4194560 100 0 0 0 250 50 0 0 20 0 3 0 4242 123456789 2500 "
           "18446744073709551615 1 1 0 0 0 0 0 0 0 0 0 0 17 1 0 0 0 0 0\n";
}

} // namespace

TEST(ProcStat, fieldsAreTakenAfterTheLastParenthesis)
{
    const char* names[] = {"plain", "with space", "a) S 9 9 (b", "new\nline", ")", ""};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string line = statLine(name);
        ProcStat stat;
        ASSERT_TRUE(parseProcStat(line, stat));
        EXPECT_EQ(stat.comm, std::string_view(name));
        EXPECT_EQ(stat.state, 'S');
        EXPECT_EQ(stat.ppid, 1);
        EXPECT_EQ(stat.pgrp, 812);
        EXPECT_EQ(stat.utime, 250u);
        EXPECT_EQ(stat.stime, 50u);
        EXPECT_EQ(stat.threads, 3u);
        EXPECT_EQ(stat.starttime, 4242u);
        EXPECT_EQ(stat.vsize, 123456789u);
        EXPECT_EQ(stat.rss, 2500u);
    }
    ProcStat stat;
    EXPECT_FALSE(parseProcStat("812 (cut) S 1 812 812 0 -1 4194560 100", stat));
    EXPECT_FALSE(parseProcStat("812 no parentheses S 1", stat));
    EXPECT_FALSE(parseProcStat("", stat));
}

TEST(LinuxProcessTable, longNamesComeFromArgvZeroWhenCommIsCut)
{
    using std::string_view_literals::operator""sv;
    struct Case {
        std::string_view comm;
        std::string_view cmdline;
        const char* expected;
    };
    const Case cases[] = {
        {"bash", "/bin/bash\0-l\0"sv, "bash"},
        {"gnome-shell-cal", "/usr/libexec/gnome-shell-calendar-server\0"sv,
         "gnome-shell-calendar-server"},
        {"gnome-shell-cal", ""sv, "gnome-shell-cal"}, // zombie, kernel thread
        {"kworker/u4:1-ev", ""sv, "kworker/u4:1-ev"},
        {"ThreadPoolForeg", "/opt/app/chrome\0--type=renderer\0"sv, "ThreadPoolForeg"}, // renamed
        {"exactly15chars_", "exactly15chars_\0"sv, "exactly15chars_"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(LinuxProcessTable::displayName(c.comm, c.cmdline), QString::fromUtf8(c.expected));
    }
}

TEST(LinuxProcessTable, readsAFixtureProcfs)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("proc/812/stat"),
               QByteArray::fromStdString(statLine("my (odd) app")));
    tree.write(QStringLiteral("proc/900/stat"),
               QByteArray::fromStdString(statLine("a-very-long-nam")));
    tree.write(QStringLiteral("proc/900/cmdline"),
               QByteArray("/opt/a-very-long-name-indeed\0x\0", 31));
    tree.write(QStringLiteral("proc/901/stat"), "901 (cut off"); // malformed: skipped
    tree.write(QStringLiteral("proc/self/stat"), QByteArray::fromStdString(statLine("self")));
    LinuxProcessTable table(tree.root());
    QHash<qint32, QString> names;
    const std::vector<RawProcess> raw = table.readProcessesRaw(names);
    const long tick = ::sysconf(_SC_CLK_TCK);
    const quint64 page = static_cast<quint64>(::sysconf(_SC_PAGESIZE));
    std::vector<RawProcess> sorted = raw;
    std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.pid < b.pid; });
    ASSERT_EQ(sorted.size(), 2u);
    EXPECT_EQ(sorted[0],
              (RawProcess{812, QStringLiteral("my (odd) app"),
                          300ull * (1000000000ull / static_cast<quint64>(tick)), 2500 * page}));
    EXPECT_EQ(sorted[1].name, QStringLiteral("a-very-long-name-indeed"));
    EXPECT_EQ(names.size(), 2);

    // A cached name is used as it is; only new pids are looked up.
    names[812] = QStringLiteral("cached");
    tree.remove(QStringLiteral("proc/900"));
    const std::vector<RawProcess> again = table.readProcessesRaw(names);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].name, QStringLiteral("cached"));
    EXPECT_EQ(table.openFiles(), 2u); // 812 and the malformed 901; the vanished pid's is closed
}

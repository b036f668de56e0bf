// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessDetailReader.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/ChildProcess.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <ctime>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::ChildProcess;

TEST(ProcessDetailReader, readsALiveChild)
{
    LinuxProcessInfo info;
    const std::time_t before = std::time(nullptr);
    ChildProcess child({QStringLiteral("sleep"), QStringLiteral("60")});
    ASSERT_TRUE(ChildProcess::waitForState(child.pid(), [](char s) { return s == 'S'; }));
    const std::time_t after = std::time(nullptr);

    const std::optional<ProcessDetail> detail =
        ProcessDetailReader::read(info, child.pid(), QStringLiteral("shown name"));
    ASSERT_TRUE(detail.has_value());
    EXPECT_EQ(detail->pid, child.pid());
    EXPECT_EQ(detail->name, QStringLiteral("shown name"));
    EXPECT_EQ(QFileInfo(detail->path).fileName(), QStringLiteral("sleep"));
    EXPECT_EQ(detail->parentPid, ::getpid());
    EXPECT_EQ(detail->threadCount, 1);
    EXPECT_GT(detail->residentBytes, 0u);
    EXPECT_GE(detail->virtualBytes, detail->residentBytes);
    ASSERT_TRUE(detail->startDate.has_value());

    // Start times: whole seconds since 1970, within the clock's and btime's rounding.
    const std::optional<quint64> start = ProcessDetailReader::startTime(info, child.pid());
    ASSERT_TRUE(start.has_value());
    EXPECT_GE(static_cast<qint64>(*start), static_cast<qint64>(before) - 2);
    EXPECT_LE(static_cast<qint64>(*start), static_cast<qint64>(after) + 1);
    EXPECT_NEAR(*detail->startDate + kUnixToAbsolute, static_cast<double>(*start), 1.0);
    EXPECT_EQ(info.processName(child.pid()), QStringLiteral("sleep"));
}

TEST(ProcessDetailReader, aGoneOrKernelProcessReadsSoftly)
{
    LinuxProcessInfo info;
    EXPECT_FALSE(ProcessDetailReader::read(info, 0, QStringLiteral("x")).has_value());
    EXPECT_FALSE(ProcessDetailReader::read(info, -5, QStringLiteral("x")).has_value());
    EXPECT_FALSE(ProcessDetailReader::startTime(info, 0x7ffffff0).has_value());
    // kthreadd has no executable: its path reads as a dash (when the kernel lets us see it).
    if (const auto kthreadd = ProcessDetailReader::read(info, 2, QStringLiteral("kthreadd"))) {
        EXPECT_EQ(kthreadd->path, QStringLiteral("—"));
    }
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs that broke, or could break, the readers of kernel and stored text: values at the edge
// of 64 bits and the cases the fuzz targets turned up. Each case names what it once did.
#include "platform/linux/LinuxMemoryPressure.h"
#include "platform/linux/LinuxMemoryStats.h"

#include "tests/support/FixtureTree.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

QByteArray fixture(const QString& relative)
{
    QFile file(QStringLiteral(CORVANITE_FIXTURES "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

} // namespace

// A kB count whose byte figure passes 64 bits used to wrap to a small, plausible number.
TEST(ParserOddInput, meminfoCountsTooLargeForBytesAreNotTrusted)
{
    const QByteArray meminfo = fixture(QStringLiteral("linux/proc/meminfo"));
    ASSERT_FALSE(meminfo.isEmpty());
    const QByteArray wraps = "18014398509481985 kB"; // * 1024 wraps to 1024
    const QByteArray largest = "18014398509481983 kB";

    QByteArray total = meminfo;
    total.replace("16000000 kB", wraps);
    EXPECT_EQ(LinuxMemoryStats::parseMeminfo(view(total)), std::nullopt);

    QByteArray available = meminfo;
    available.replace("9000000 kB", wraps);
    const auto values = LinuxMemoryStats::parseMeminfo(view(available));
    ASSERT_TRUE(values); // an optional line: the rest still reads
    EXPECT_EQ(values->memAvailable, 0u);

    QByteArray edge = meminfo;
    edge.replace("16000000 kB", largest);
    ASSERT_TRUE(LinuxMemoryStats::parseMeminfo(view(edge)));
    EXPECT_EQ(LinuxMemoryStats::parseMeminfo(view(edge))->memTotal, 18014398509481983ull * 1024);

    PressureReading reading;
    LinuxMemoryPressure::parseMeminfo(view(available), reading);
    EXPECT_EQ(reading.availableBytes, std::nullopt);
    EXPECT_EQ(reading.totalBytes, 16000000ull * 1024);
}

// A page size of 0 handed to the conversion divided by zero (found by the meminfo fuzz target).
TEST(ParserOddInput, meminfoConversionWithoutAPageSizeCountsInFourKilobytePages)
{
    const QByteArray meminfo = fixture(QStringLiteral("linux/proc/meminfo"));
    const auto values = LinuxMemoryStats::parseMeminfo(view(meminfo));
    ASSERT_TRUE(values);
    const MemoryStats unknown = LinuxMemoryStats::toStats(*values, 0, 0);
    const MemoryStats common = LinuxMemoryStats::toStats(*values, 0, 4096);
    EXPECT_EQ(unknown.pageSize, 4096u);
    EXPECT_EQ(unknown.vm.freeCount, common.vm.freeCount);
    EXPECT_EQ(unknown.vm.internalPageCount, common.vm.internalPageCount);
}

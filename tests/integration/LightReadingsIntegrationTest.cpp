// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The light readers against this machine, cross-checked with independent tools and files.

#include "app/sampling/LightReadings.h"
#include "platform/Clock.h"
#include "platform/linux/LinuxBootTime.h"
#include "platform/linux/LinuxCpuTicks.h"
#include "platform/linux/LinuxMemoryStats.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/LinuxVolume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace corvanite;

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
}

quint64 meminfoBytes(const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB$").arg(key),
                                  QRegularExpression::MultilineOption);
    return line.match(readText(QStringLiteral("/proc/meminfo"))).captured(1).toULongLong() * 1024;
}

// Received and sent bytes of the up, physical, non-loopback interfaces, read the plain way.
std::pair<quint64, quint64> independentNetworkTotals()
{
    quint64 received = 0, sent = 0;
    const QStringList lines = readText(QStringLiteral("/proc/net/dev")).split(QLatin1Char('\n'));
    for (const QString& line : lines.mid(2)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString name = line.left(colon).trimmed();
        const QString sys = QStringLiteral("/sys/class/net/") + name;
        const uint flags = readText(sys + QStringLiteral("/flags")).trimmed().toUInt(nullptr, 16);
        if (!QFileInfo::exists(sys + QStringLiteral("/device")) || !(flags & 0x1) || (flags & 0x8))
            continue;
        const QStringList fields = line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        received += fields.value(0).toULongLong();
        sent += fields.value(8).toULongLong();
    }
    return {received, sent};
}

} // namespace

TEST(LightReadingsOnThisMachine, memoryTotalIsMemTotal)
{
    const std::optional<MemoryStats> stats = LinuxMemoryStats().readMemoryStats();
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->physicalMemory, meminfoBytes(QStringLiteral("MemTotal")));
    EXPECT_EQ(stats->pageSize, static_cast<quint64>(sysconf(_SC_PAGESIZE)));
}

TEST(LightReadingsOnThisMachine, usageAgreesWithFree)
{
    const QStringList out = run(QStringLiteral("free"), {QStringLiteral("-b")});
    QStringList mem;
    for (const QString& line : out) {
        if (line.startsWith(QStringLiteral("Mem:")))
            mem = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    ASSERT_GE(mem.size(), 3) << "no Mem: line from free -b";
    const double freeTotal = mem[1].toDouble();
    const double freeUsed = mem[2].toDouble();

    const std::optional<MemoryStats> stats = LinuxMemoryStats().readMemoryStats();
    ASSERT_TRUE(stats);
    const MemorySample sample = memorySample(stats->vm, stats->pageSize, stats->physicalMemory);
    EXPECT_EQ(static_cast<double>(sample.total), freeTotal);
    // free counts some reclaimable kernel memory as used; the breakdown does not. A few points.
    EXPECT_NEAR(sample.usageFraction() * 100.0, freeUsed / freeTotal * 100.0, 5.0);
    EXPECT_GT(sample.used(), 0u);
    EXPECT_LE(sample.app + sample.wired + sample.compressed + sample.cached + sample.free,
              sample.total + sample.total / 20);
}

TEST(LightReadingsOnThisMachine, perCoreCountIsOnlineProcessors)
{
    LinuxCpuTicks source;
    CpuTicksReading reading;
    source.read(reading);
    ASSERT_TRUE(reading.host);
    EXPECT_EQ(static_cast<long>(reading.cores.size()), sysconf(_SC_NPROCESSORS_ONLN));
}

TEST(LightReadingsOnThisMachine, networkTotalsMatchProcNetDev)
{
    // Only interfaces backed by a device are counted; without one every total is 0 and the
    // comparison below would prove nothing.
    const QStringList interfaces =
        QDir(QStringLiteral("/sys/class/net")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const bool hasPhysical =
        std::any_of(interfaces.cbegin(), interfaces.cend(), [](const QString& i) {
            return QFileInfo::exists(QStringLiteral("/sys/class/net/") + i +
                                     QStringLiteral("/device"));
        });
    if (!hasPhysical)
        GTEST_SKIP() << "this machine has no network interface backed by a device";
    LinuxNetworkCounters source;
    const auto before = independentNetworkTotals();
    const std::optional<NetworkTotals> totals = source.readNetworkBytes();
    const auto after = independentNetworkTotals();
    ASSERT_TRUE(totals);
    EXPECT_GE(totals->received, before.first);
    EXPECT_LE(totals->received, after.first);
    EXPECT_GE(totals->sent, before.second);
    EXPECT_LE(totals->sent, after.second);
}

TEST(LightReadingsOnThisMachine, homeVolumeAgreesWithDf)
{
    const QStringList out =
        run(QStringLiteral("df"),
            {QStringLiteral("-B1"), QStringLiteral("--output=avail,size"), QDir::homePath()});
    ASSERT_GE(out.size(), 2) << "df gave no answer";
    const QStringList fields = out[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(fields.size(), 2);
    const std::optional<VolumeSpace> space = LinuxVolume().readHomeVolume();
    ASSERT_TRUE(space);
    EXPECT_EQ(space->totalBytes, fields[1].toULongLong());
    EXPECT_NEAR(static_cast<double>(space->freeBytes), fields[0].toDouble(),
                fields[1].toDouble() * 0.01);
    EXPECT_FALSE(LinuxVolume(QStringLiteral("/no/such/folder")).readHomeVolume());
}

TEST(LightReadingsOnThisMachine, bootTimeAgreesWithProcUptime)
{
    const std::optional<double> boot = LinuxBootTime().readBootTime();
    ASSERT_TRUE(boot);
    const double uptime =
        readText(QStringLiteral("/proc/uptime")).section(QLatin1Char(' '), 0, 0).toDouble();
    EXPECT_NEAR(Clock::system().unixNow() - *boot, uptime, 2.0);
}

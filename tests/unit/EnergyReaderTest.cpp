// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/EnergyReader.h"
#include "platform/Clock.h"
#include "platform/linux/CgroupEnergyCounters.h"
#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

class FakeCounters final : public EnergyCounters {
public:
    bool available = true;
    int availabilityQuestions = 0;
    QHash<qint32, quint64> groups;
    QHash<quint64, quint64> energy;
    bool isAvailable() override
    {
        ++availabilityQuestions;
        return available;
    }
    std::optional<quint64> groupOf(qint32 pid) override
    {
        return groups.contains(pid) ? std::optional<quint64>(groups.value(pid)) : std::nullopt;
    }
    QHash<quint64, quint64> readEnergy(const QList<quint64>& ids) override
    {
        QHash<quint64, quint64> out;
        for (quint64 id : ids) {
            if (energy.contains(id))
                out.insert(id, energy.value(id));
        }
        return out;
    }
};

QList<ProcessSample> procs(std::initializer_list<qint32> pids)
{
    QList<ProcessSample> out;
    for (qint32 pid : pids)
        out.append(ProcessSample{pid, QStringLiteral("p%1").arg(pid), 0, 0});
    return out;
}

} // namespace

TEST(EnergyReader, oneRowPerGroupNamedAfterItsLowestPidWithWatts)
{
    FakeClock clock;
    auto counters = std::make_unique<FakeCounters>();
    FakeCounters& c = *counters;
    c.groups = {{812, 7}, {640, 7}, {977, 7}, {5, 0}, {6, 9}}; // 5: no group; 6: unreadable
    c.energy = {{7, 1000000000}};
    EnergyReader reader(std::move(counters), clock);
    const QList<ProcessSample> list = procs({812, 640, 977, 5, 6, 404});

    QList<ProcessSample> rows = reader.aggregatedRows(list);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (ProcessSample{640, QStringLiteral("p640"), 0.0, 1000000000}));

    clock.advance(2.0);
    c.energy[7] = 4000000000; // 3 J in 2 s
    rows = reader.aggregatedRows(list);
    EXPECT_DOUBLE_EQ(rows[0].cpuPercent, 1.5);

    clock.advance(0.4); // too soon for a rate: 0 W, and the baseline moves on
    c.energy[7] = 4400000000;
    EXPECT_EQ(reader.aggregatedRows(list)[0].cpuPercent, 0.0);
    clock.advance(1.0);
    c.energy[7] = 5400000000;
    EXPECT_DOUBLE_EQ(reader.aggregatedRows(list)[0].cpuPercent, 1.0);

    // A counter that went backwards gives 0 W.
    clock.advance(1.0);
    c.energy[7] = 10;
    EXPECT_EQ(reader.aggregatedRows(list)[0].cpuPercent, 0.0);
}

TEST(EnergyReader, anUnreadableGroupKeepsItsReadingAndAnUnseenOneLosesIt)
{
    FakeClock clock;
    auto counters = std::make_unique<FakeCounters>();
    FakeCounters& c = *counters;
    c.groups = {{10, 1}};
    c.energy = {{1, 1000000000}};
    EnergyReader reader(std::move(counters), clock);
    reader.aggregatedRows(procs({10}));

    clock.advance(1.0);
    c.energy.clear(); // seen, but unreadable: no row, previous reading kept
    EXPECT_TRUE(reader.aggregatedRows(procs({10})).isEmpty());
    clock.advance(1.0);
    c.energy = {{1, 3000000000}};
    EXPECT_DOUBLE_EQ(reader.aggregatedRows(procs({10}))[0].cpuPercent, 1.0); // 2 J over 2 s

    clock.advance(1.0);
    EXPECT_TRUE(reader.aggregatedRows(procs({})).isEmpty()); // not seen: forgotten
    clock.advance(1.0);
    c.energy = {{1, 9000000000}};
    EXPECT_EQ(reader.aggregatedRows(procs({10}))[0].cpuPercent, 0.0);
}

TEST(EnergyReader, withoutEnergyCountersThereAreNoRows)
{
    FakeClock clock;
    auto counters = std::make_unique<FakeCounters>();
    FakeCounters& c = *counters;
    c.available = false;
    c.groups = {{10, 1}};
    c.energy = {{1, 5}};
    EnergyReader reader(std::move(counters), clock);
    EXPECT_TRUE(reader.aggregatedRows(procs({10})).isEmpty());
    EXPECT_TRUE(reader.aggregatedRows(procs({10})).isEmpty());
    EXPECT_EQ(c.availabilityQuestions, 1);
}

namespace {

QByteArray procStat(quint64 busyTicks)
{
    // user nice system idle iowait irq softirq steal
    return "cpu  " + QByteArray::number(busyTicks) +
           " 0 0 5000 7 0 0 0 0 0\ncpu0 1 0 0 0 0 0 0 0\n";
}

} // namespace

TEST(CgroupEnergyCounters, packageEnergyIsSharedByCpuTime)
{
    FixtureTree tree(QStringLiteral("linux"));
    const double usPerTick = 1e6 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    tree.write(QStringLiteral("sys/fs/cgroup/cgroup.controllers"), "cpu memory\n");
    tree.write(QStringLiteral("sys/fs/cgroup/app.slice/web.scope/cpu.stat"), "usage_usec 1000\n");
    tree.write(QStringLiteral("sys/fs/cgroup/app.slice/db.scope/cpu.stat"), "usage_usec 0\n");
    tree.write(QStringLiteral("sys/class/powercap/intel-rapl:0/energy_uj"), "999000000\n");
    tree.write(QStringLiteral("sys/class/powercap/intel-rapl:0/max_energy_range_uj"),
               "1000000000\n");
    tree.write(QStringLiteral("sys/class/powercap/intel-rapl:0:0/energy_uj"), "5\n"); // a part
    tree.write(QStringLiteral("proc/10/cgroup"), "0::/app.slice/web.scope\n");
    tree.write(QStringLiteral("proc/11/cgroup"), "12:cpu:/x\n0::/app.slice/db.scope\n");
    tree.write(QStringLiteral("proc/12/cgroup"), "0::/\n");
    tree.write(QStringLiteral("proc/stat"), procStat(0));

    CgroupEnergyCounters counters(tree.root());
    ASSERT_TRUE(counters.isAvailable());
    const std::optional<quint64> web = counters.groupOf(10);
    const std::optional<quint64> db = counters.groupOf(11);
    ASSERT_TRUE(web && db);
    EXPECT_NE(*web, *db);
    EXPECT_EQ(counters.groupOf(12), 0u);           // the root group is not measured
    EXPECT_EQ(counters.groupOf(13), std::nullopt); // no such process

    QHash<quint64, quint64> first = counters.readEnergy({*web, *db});
    EXPECT_EQ(first.value(*web), 0u);
    EXPECT_EQ(first.value(*db), 0u);

    // 4 J went by (the counter wrapped at its range); web used 3/4 of the busy time, db 1/4.
    const auto busy = static_cast<quint64>(400000.0 / usPerTick);
    tree.write(QStringLiteral("proc/stat"), procStat(busy));
    tree.write(QStringLiteral("sys/fs/cgroup/app.slice/web.scope/cpu.stat"),
               "usage_usec " + QByteArray::number(1000 + 300000) + "\n");
    tree.write(QStringLiteral("sys/fs/cgroup/app.slice/db.scope/cpu.stat"), "usage_usec 100000\n");
    tree.write(QStringLiteral("sys/class/powercap/intel-rapl:0/energy_uj"), "3000000\n");
    counters.groupOf(10);
    counters.groupOf(11);
    const QHash<quint64, quint64> second = counters.readEnergy({*web, *db});
    EXPECT_NEAR(static_cast<double>(second.value(*web)), 3e9, 1e7);
    EXPECT_NEAR(static_cast<double>(second.value(*db)), 1e9, 1e7);

    // A group that cannot be read is left out of the answer.
    tree.remove(QStringLiteral("sys/fs/cgroup/app.slice/db.scope/cpu.stat"));
    EXPECT_FALSE(counters.readEnergy({*web, *db}).contains(*db));
}

TEST(CgroupEnergyCounters, unreadablePackageEnergyMeansUnavailable)
{
    FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("sys/fs/cgroup/cgroup.controllers"), "cpu\n");
    EXPECT_FALSE(CgroupEnergyCounters(tree.root()).isAvailable()); // no RAPL at all
    tree.write(QStringLiteral("sys/class/powercap/intel-rapl:0/energy_uj"), "");
    EXPECT_FALSE(CgroupEnergyCounters(tree.root()).isAvailable()); // unreadable
    tree.write(QStringLiteral("sys/class/powercap/intel-rapl:0/energy_uj"), "12\n");
    tree.remove(QStringLiteral("sys/fs/cgroup/cgroup.controllers"));
    EXPECT_FALSE(CgroupEnergyCounters(tree.root()).isAvailable()); // no unified hierarchy
}

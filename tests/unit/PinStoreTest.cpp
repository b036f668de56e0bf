// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/PinStore.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

struct Harness {
    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("prefs.json"))};
    FakeClock clock;
    PinStore store{prefs, clock};
};

QList<ProcessSample> list(std::initializer_list<std::pair<const char*, double>> items)
{
    QList<ProcessSample> out;
    qint32 pid = 100;
    for (const auto& [name, cpu] : items)
        out.append(ProcessSample{pid++, QString::fromUtf8(name), cpu, 0});
    return out;
}

} // namespace

TEST(PinStore, atMostThreePinsAndEveryToggleIsStored)
{
    Harness h;
    for (const char* name : {"a", "b", "c", "d"})
        h.store.toggle(QString::fromUtf8(name));
    const QStringList three{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    EXPECT_EQ(h.store.names(), three);
    EXPECT_TRUE(h.store.isFull());
    EXPECT_EQ(h.prefs.stringArray(PinStore::kStoreKey), three);
    h.prefs.remove(PinStore::kStoreKey);
    h.store.toggle(QStringLiteral("e")); // refused, but the list is still written
    EXPECT_EQ(h.prefs.stringArray(PinStore::kStoreKey), three);

    PinStore reopened(h.prefs, h.clock);
    EXPECT_EQ(reopened.names(), three);
    EXPECT_TRUE(reopened.isPinned(QStringLiteral("b")));
    EXPECT_FALSE(reopened.isPinned(QStringLiteral("B")));
}

TEST(PinStore, recordsTheLargestValueEveryThirtySeconds)
{
    Harness h;
    h.store.toggle(QStringLiteral("web"));
    h.store.toggle(QStringLiteral("absent"));
    const QList<ProcessSample> procs = list({{"web", 12.0}, {"web", 30.0}, {"other", 99.0}});
    h.store.record(procs);
    h.clock.advance(29.0);
    h.store.record(procs); // too soon
    EXPECT_EQ(h.store.cpuTracks().value(QStringLiteral("web")), (QList<double>{30.0}));
    EXPECT_EQ(h.store.cpuTracks().value(QStringLiteral("absent")), (QList<double>{0.0}));
    h.clock.advance(1.0);
    h.store.record(procs);
    EXPECT_EQ(h.store.cpuTracks().value(QStringLiteral("web")).size(), 2);

    for (int i = 0; i < 121; ++i) {
        h.clock.advance(30.0);
        h.store.record(list({{"web", static_cast<double>(i)}}));
    }
    const QList<double> track = h.store.cpuTracks().value(QStringLiteral("web"));
    ASSERT_EQ(track.size(), 120);
    EXPECT_EQ(track.first(), 1.0);
    EXPECT_EQ(track.last(), 120.0);

    h.store.toggle(QStringLiteral("web"));
    h.store.toggle(QStringLiteral("web"));
    EXPECT_FALSE(h.store.cpuTracks().contains(QStringLiteral("web"))); // re-pinned: empty
}

TEST(PinStore, partitionLiftsTheFirstRecordOfEachPinnedName)
{
    Harness h;
    const QList<ProcessSample> procs =
        list({{"a", 5}, {"web", 4}, {"b", 3}, {"web", 2}, {"db", 1}});
    EXPECT_EQ(h.store.partition(procs), procs);
    h.store.toggle(QStringLiteral("db"));
    h.store.toggle(QStringLiteral("web"));
    h.store.toggle(QStringLiteral("nowhere"));
    QList<qint32> order;
    for (const ProcessSample& p : h.store.partition(procs))
        order.append(p.pid);
    EXPECT_EQ(order, (QList<qint32>{101, 104, 100, 102, 103}));
}

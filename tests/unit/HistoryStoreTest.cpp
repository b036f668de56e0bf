// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/HistoryStore.h"
#include "app/analysis/HistoryWindowState.h"
#include "platform/Clock.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace corvanite;

namespace {

QList<double> values(const HistorySeries& series)
{
    QList<double> out;
    series.forEach([&](const HistoryPoint& p) { out.append(p.value); });
    return out;
}

int filled(const QList<std::optional<double>>& slots)
{
    return static_cast<int>(
        std::count_if(slots.begin(), slots.end(), [](const auto& s) { return s.has_value(); }));
}

} // namespace

TEST(HistoryWindow, rawValuesSpansAndSlotsFollowThePickerOrder)
{
    struct Row {
        HistoryWindow window;
        const char* raw;
        double seconds;
        int slots;
    };
    const Row rows[] = {
        {HistoryWindow::Live, "live", 3600, 120}, {HistoryWindow::M30, "m30", 1800, 60},
        {HistoryWindow::H1, "h1", 3600, 120},     {HistoryWindow::H6, "h6", 21600, 120},
        {HistoryWindow::H12, "h12", 43200, 120},  {HistoryWindow::H24, "h24", 86400, 120}};
    ASSERT_EQ(allHistoryWindows().size(), 6);
    for (int i = 0; i < 6; ++i) {
        const Row& row = rows[i];
        EXPECT_EQ(allHistoryWindows()[i], row.window);
        EXPECT_EQ(rawValue(row.window), QLatin1String(row.raw));
        EXPECT_EQ(historyWindowFromRaw(QLatin1String(row.raw)), row.window);
        EXPECT_EQ(seconds(row.window), row.seconds);
        EXPECT_EQ(slotCount(row.window), row.slots);
        EXPECT_EQ(displayNameKey(row.window), QStringLiteral("history.window.") + row.raw);
    }
    EXPECT_FALSE(historyWindowFromRaw(QStringLiteral("h2")));
    EXPECT_FALSE(historyWindowFromRaw(QStringLiteral("H1")));
    EXPECT_EQ(displayName(HistoryWindow::H6), QStringLiteral("6h"));
}

TEST(HistoryWindowState, startsLiveAndAnnouncesEveryAssignment)
{
    HistoryWindowState state;
    EXPECT_EQ(state.window(), HistoryWindow::Live);
    QSignalSpy changed(&state, &HistoryWindowState::windowChanged);
    state.setWindow(HistoryWindow::H6);
    state.setWindow(HistoryWindow::H6);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(state.window(), HistoryWindow::H6);
}

TEST(HistoryStore, storesAtMostOneEntryPer30SecondsOfWallClock)
{
    FakeClock clock;
    HistoryStore store(clock);
    EXPECT_TRUE(store.wantsTempSample());
    store.record(10, 20, 50.0); // the first call always stores
    EXPECT_FALSE(store.wantsTempSample());
    clock.advance(29);
    store.record(11, 21, 51.0);
    EXPECT_EQ(store.cpu().size(), 1u);
    clock.advance(1); // 30 s after the stored one
    EXPECT_TRUE(store.wantsTempSample());
    store.record(12, 22, std::nullopt);
    EXPECT_EQ(values(store.cpu()), (QList<double>{10, 12}));
    EXPECT_EQ(values(store.mem()), (QList<double>{20, 22}));
    // No temperature: cpu and mem grow, temp does not.
    EXPECT_EQ(values(store.temp()), (QList<double>{50}));
    EXPECT_EQ(store.lastRecord(), clock.now());
}

TEST(HistoryStore, aClockThatWentBackStoresNothingUntilItCatchesUp)
{
    FakeClock clock;
    HistoryStore store(clock);
    store.record(1, 1, std::nullopt);
    const double stored = clock.now();
    clock.setNow(stored - 3600);
    store.record(2, 2, std::nullopt);
    EXPECT_FALSE(store.wantsTempSample());
    clock.setNow(stored + 29.5);
    store.record(3, 3, std::nullopt);
    EXPECT_EQ(store.cpu().size(), 1u);
    clock.setNow(stored + 30);
    store.record(4, 4, std::nullopt);
    EXPECT_EQ(values(store.cpu()), (QList<double>{1, 4}));
}

TEST(HistoryStore, aFullDayDropsTheOldestPointOfEachListItAppendsTo)
{
    FakeClock clock;
    HistoryStore store(clock);
    for (std::size_t i = 0; i < HistoryStore::kCapacity; ++i) {
        // Temperatures on every other entry only.
        store.record(double(i), double(i) + 0.5,
                     i % 2 == 0 ? std::optional<double>(double(i)) : std::nullopt);
        clock.advance(30);
    }
    ASSERT_EQ(store.cpu().size(), 2881u);
    ASSERT_EQ(store.temp().size(), 1441u);
    const double firstTime = store.cpu().first().time;

    store.record(5000, 5000.5, std::nullopt);
    EXPECT_EQ(store.cpu().size(), 2881u);
    EXPECT_EQ(store.mem().size(), 2881u);
    EXPECT_EQ(store.cpu().first().value, 1);
    EXPECT_EQ(store.cpu().first().time, firstTime + 30);
    EXPECT_EQ(store.cpu().last().value, 5000);
    EXPECT_EQ(store.mem().first().value, 1.5);
    EXPECT_EQ(store.temp().size(), 1441u); // not appended to, so nothing dropped
    EXPECT_EQ(store.temp().first().value, 0);
    for (std::size_t i = 1; i < store.cpu().size(); ++i)
        ASSERT_LT(store.cpu().at(i - 1).time, store.cpu().at(i).time);
}

TEST(HistoryStore, slotsKeepTheLargestValueAndPlacePointsAtTheWindowEdges)
{
    FakeClock clock;
    HistoryStore store(clock);
    const double now = clock.now();
    HistorySeries series(HistoryStore::kCapacity);

    // No points: every slot empty, 60 for m30 and 120 for the others.
    for (HistoryWindow window : allHistoryWindows()) {
        const auto slots = store.slots(series, window);
        EXPECT_EQ(slots.size(), slotCount(window));
        EXPECT_EQ(filled(slots), 0);
    }

    series.append({now - 21600 - 1, 99});   // older than the h6 window: skipped
    series.append({now - 21600, 7});        // exactly at the start: slot 0
    series.append({now - 21600 + 10, 30});  // same 180 s slot, larger
    series.append({now - 21600 + 170, 20}); // same slot, smaller
    series.append({now - 90, 5});           // last slot
    series.append({now + 500, 8});          // in the future after a clock change: last slot
    const auto h6 = store.slots(series, HistoryWindow::H6);
    ASSERT_EQ(h6.size(), 120);
    EXPECT_EQ(h6[0], 30.0);
    EXPECT_EQ(h6[119], 8.0);
    EXPECT_EQ(filled(h6), 2);

    // The same points in the 30-minute window: only the recent ones.
    const auto m30 = store.slots(series, HistoryWindow::M30);
    EXPECT_EQ(m30[57], 5.0); // 1710 s into the window / 30 s
    EXPECT_EQ(m30[59], 8.0);
    EXPECT_EQ(filled(m30), 2);
}

TEST(HistoryStore, aFullDayOfAllSeriesFitsInItsPreallocatedBlocks)
{
    FakeClock clock;
    HistoryStore store(clock);
    // Three series of 2881 points of 16 bytes, taken once: about 135 KiB.
    EXPECT_EQ(sizeof(HistoryPoint), 16u);
    EXPECT_EQ(store.cpu().storageBytes(), 2881u * 16u);
    EXPECT_LT(store.storageBytes(), 140u * 1024u);
    std::printf("history store, full day of all series: %zu bytes\n", store.storageBytes());
}

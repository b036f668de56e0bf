// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/Samples.h"

#include <QVariant>

#include <gtest/gtest.h>

using namespace corvanite;

TEST(Samples, memoryUsedAndFraction)
{
    struct Case {
        MemorySample memory;
        quint64 used;
        double fraction;
    };
    const Case cases[] = {
        {{0, 10, 10, 10, 0, 0}, 30, 0.0},            // no physical memory known
        {{1000, 200, 100, 50, 300, 350}, 350, 0.35}, // cached and free are not used
        {{1000, 1000, 1000, 0, 0, 0}, 2000, 1.0},    // never above 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.memory.used(), c.used);
        EXPECT_DOUBLE_EQ(c.memory.usageFraction(), c.fraction);
    }
}

TEST(Samples, batteryStatusFollowsChargingThenChargedThenExternalPower)
{
    struct Case {
        bool charging, charged, external;
        const char* key;
    };
    const Case cases[] = {
        {true, true, true, "battery.status.charging"},
        {false, true, true, "battery.status.charged"},
        {false, false, true, "battery.status.notCharging"},
        {false, false, false, "battery.status.onBattery"},
    };
    for (const Case& c : cases) {
        BatterySample battery;
        battery.isCharging = c.charging;
        battery.isCharged = c.charged;
        battery.externalConnected = c.external;
        EXPECT_EQ(battery.statusKey(), QString::fromLatin1(c.key));
        EXPECT_FALSE(battery.statusText().isEmpty());
    }
}

TEST(Samples, recordsTravelInVariants)
{
    registerSampleMetaTypes();
    GPUSample gpu;
    gpu.deviceUtil = 42;
    gpu.tilerUtil = 7;
    const QVariant variant = QVariant::fromValue(gpu);
    EXPECT_EQ(variant.value<GPUSample>(), gpu);
    const ProcessSample a{12, QStringLiteral("x"), 1.5, 100};
    EXPECT_EQ(a.id(), 12);
    EXPECT_NE(a, (ProcessSample{12, QStringLiteral("x"), 1.5, 101}));
}

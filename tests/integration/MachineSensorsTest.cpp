// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SnapshotBuilder.h"
#include "app/shell/MachineSources.h"
#include "platform/Clock.h"

#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

// The machine's readers as the application wires them, on fixture trees: a heavy pass carries
// the temperatures, fans, GPU and battery, every pass the pressure level.
TEST(MachineSensors, heavyPassOnTheLaptopAndTheDesktop)
{
    PassFlags heavy;
    heavy.heavySampling = true;

    FixtureTree laptop(QStringLiteral("sensors/laptop"));
    SystemSources sources = machineSources(laptop.root());
    SnapshotBuilder builder(sources, Clock::system());
    Snapshot s = builder.build(heavy, {});
    EXPECT_EQ(s.thermal.cpuC, 52.0);
    EXPECT_EQ(s.thermal.surfaceC, 45.0);
    EXPECT_EQ(s.fans, QList<double>{2400.0});
    EXPECT_FALSE(s.gpu);
    EXPECT_TRUE(s.gpuCollected);
    EXPECT_EQ(s.battery.percentage, 81);
    EXPECT_TRUE(s.battery.isCharging);
    EXPECT_EQ(s.battery.healthPercent, 80);
    EXPECT_NEAR(*s.battery.powerWatts, 15.73, 1e-9);
    EXPECT_EQ(s.memoryPressure, PressureLevel::Warning); // some avg10 = 12.5

    FixtureTree desktop(QStringLiteral("sensors/amd-desktop"));
    SystemSources desktopSources = machineSources(desktop.root());
    SnapshotBuilder desktopBuilder(desktopSources, Clock::system());
    s = desktopBuilder.build(heavy, {});
    EXPECT_EQ(s.thermal.cpuC, 61.25);
    EXPECT_EQ(s.thermal.gpuC, 55.0);
    EXPECT_EQ(s.thermal.batteryC, std::nullopt);
    EXPECT_EQ(s.fans, QList<double>{1150.0});
    ASSERT_TRUE(s.gpu);
    EXPECT_EQ(s.gpu->deviceUtil, 37.0);
    EXPECT_EQ(s.gpu->coreCount, 40);
    EXPECT_EQ(s.battery, BatterySample{}); // a mouse's battery is not the machine's
    EXPECT_EQ(s.memoryPressure, std::nullopt);
}

TEST(MachineSensors, thisMachineAnswersWithoutFailing)
{
    SystemSources sources = machineSources();
    PassFlags heavy;
    heavy.heavySampling = true;
    heavy.collectAssertions = true;
    SnapshotBuilder builder(sources, Clock::system());
    const Snapshot s = builder.build(heavy, {});
    EXPECT_TRUE(s.memoryPressure.has_value());
    EXPECT_TRUE(s.assertions.has_value());
    for (const double rpm : s.fans)
        EXPECT_GE(rpm, 0.0);
}

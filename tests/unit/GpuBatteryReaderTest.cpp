// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/BatteryReader.h"
#include "app/sampling/GPUReader.h"
#include "platform/linux/LinuxGpuRegistry.h"
#include "platform/linux/LinuxPowerSupply.h"

#include "tests/support/FixtureTree.h"

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

// A registry entry whose answers a test sets, counting lookups.
class ScriptedGpu final : public GpuRegistry {
public:
    bool present = true;
    std::optional<QVariant> coreCount;
    std::optional<QVariantMap> stats;
    int lookups = 0;
    int releases = 0;

    bool lookup() override
    {
        ++lookups;
        return present;
    }
    std::optional<QVariant> searchCoreCount() override { return coreCount; }
    std::optional<QVariantMap> performanceStatistics() override { return stats; }
    void release() override { ++releases; }
};

class ScriptedBattery final : public BatteryRegistry {
public:
    std::optional<QVariantMap> properties;
    std::optional<QVariantMap> batteryProperties() override { return properties; }
};

QVariantMap statsWith(QVariant device)
{
    return {{QStringLiteral("Device Utilization %"), device}};
}

} // namespace

TEST(GPUReader, utilisationIsClampedAndOptionalFieldsStayAbsent)
{
    auto owned = std::make_unique<ScriptedGpu>();
    ScriptedGpu& gpu = *owned;
    GPUReader reader(std::move(owned));
    const struct {
        QVariant device;
        std::optional<double> expected;
    } cases[] = {{130, 100.0},
                 {-5, 0.0},
                 {42, 42.0},
                 {QVariant(42.5), std::nullopt},
                 {QStringLiteral("42"), std::nullopt},
                 {QVariant(), std::nullopt}};
    for (const auto& c : cases) {
        gpu.stats = statsWith(c.device);
        const auto sample = reader.read();
        EXPECT_EQ(sample ? std::optional<double>(sample->deviceUtil) : std::nullopt, c.expected)
            << c.device.toString().toStdString();
    }
    EXPECT_EQ(gpu.lookups, 1); // a missing utilisation keeps the entry

    QVariantMap full = statsWith(50);
    full.insert(QStringLiteral("Renderer Utilization %"), 130);
    full.insert(QStringLiteral("Alloc system memory"), qulonglong(3) << 40);
    gpu.stats = full;
    const auto sample = reader.read();
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->rendererUtil, 100.0);
    EXPECT_EQ(sample->tilerUtil, std::nullopt);
    EXPECT_EQ(sample->allocBytes, qulonglong(3) << 40);
}

TEST(GPUReader, failedStatisticsReadLooksTheDeviceAndCoreCountUpAgain)
{
    auto owned = std::make_unique<ScriptedGpu>();
    ScriptedGpu& gpu = *owned;
    GPUReader reader(std::move(owned));
    gpu.coreCount = QVariant(10);
    gpu.stats = statsWith(20);
    ASSERT_EQ(reader.read()->coreCount, 10);

    gpu.stats.reset();
    EXPECT_EQ(reader.read(), std::nullopt);
    EXPECT_EQ(gpu.releases, 1);

    gpu.stats = statsWith(20);
    gpu.coreCount = QVariant(16);
    EXPECT_EQ(reader.read()->coreCount, 16);
    EXPECT_EQ(gpu.lookups, 2);

    // Nothing found at a lookup keeps the count; a value that is no number clears it.
    gpu.stats.reset();
    reader.read();
    gpu.stats = statsWith(20);
    gpu.coreCount.reset();
    EXPECT_EQ(reader.read()->coreCount, 16);
    gpu.stats.reset();
    reader.read();
    gpu.stats = statsWith(20);
    gpu.coreCount = QVariant(QStringLiteral("many"));
    EXPECT_EQ(reader.read()->coreCount, std::nullopt);

    gpu.present = false;
    gpu.stats.reset();
    reader.read();
    EXPECT_EQ(reader.read(), std::nullopt);
}

TEST(LinuxGpuRegistry, amdgpuBusyPercentMemoryAndComputeUnits)
{
    FixtureTree tree(QStringLiteral("sensors/amd-desktop"));
    GPUReader reader(std::make_unique<LinuxGpuRegistry>(tree.root(), QByteArray()));
    auto sample = reader.read();
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->deviceUtil, 37.0);
    EXPECT_EQ(sample->allocBytes, 1073741824ull + 52428800ull);
    EXPECT_EQ(sample->coreCount, 40);

    // A busy file that turns to garbage gives nothing, then a fresh lookup answers again.
    const QString busy = QStringLiteral("sys/class/drm/card1/device/gpu_busy_percent");
    tree.write(busy, "-ENODATA\n");
    EXPECT_EQ(reader.read(), std::nullopt);
    tree.write(busy, "99\n");
    sample = reader.read();
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->deviceUtil, 99.0);

    // Asleep: idle, and its files are left alone.
    tree.write(QStringLiteral("sys/class/drm/card1/device/power/runtime_status"), "suspended\n");
    tree.write(busy, "garbage\n");
    sample = reader.read();
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->deviceUtil, 0.0);
    EXPECT_EQ(sample->allocBytes, std::nullopt);

    FixtureTree laptop(QStringLiteral("sensors/laptop"));
    GPUReader none(std::make_unique<LinuxGpuRegistry>(laptop.root(), QByteArray()));
    EXPECT_EQ(none.read(), std::nullopt);
}

TEST(LinuxGpuRegistry, missingOrBrokenNvmlMeansNoGpu)
{
    FixtureTree tree(QStringLiteral("sensors/empty"));
    // A library that does not exist, and one that exists but is not NVML.
    for (const QByteArray& library :
         {QByteArrayLiteral("libnvidia-ml-missing.so.1"), QByteArrayLiteral("libc.so.6")}) {
        GPUReader reader(std::make_unique<LinuxGpuRegistry>(tree.root(), library));
        EXPECT_EQ(reader.read(), std::nullopt) << library.constData();
    }
}

TEST(BatteryReader, propertiesBecomeTheRecord)
{
    BatterySample s = BatteryReader::sampleFrom({{QStringLiteral("CurrentCapacity"), 81},
                                                 {QStringLiteral("FullyCharged"), true},
                                                 {QStringLiteral("ExternalConnected"), 1},
                                                 {QStringLiteral("CycleCount"), 212},
                                                 {QStringLiteral("MaxCapacity"), 80},
                                                 {QStringLiteral("Voltage"), 12000},
                                                 {QStringLiteral("Amperage"), qint64(-1500)}});
    EXPECT_EQ(s.percentage, 81);
    EXPECT_FALSE(s.isCharging); // missing
    EXPECT_TRUE(s.isCharged);
    EXPECT_TRUE(s.externalConnected);
    EXPECT_EQ(s.cycleCount, 212);
    EXPECT_EQ(s.healthPercent, 80);
    EXPECT_EQ(s.powerWatts, 18.0);

    s = BatteryReader::sampleFrom({{QStringLiteral("Voltage"), 12000},
                                   {QStringLiteral("CycleCount"), QStringLiteral("212")}});
    EXPECT_EQ(s.powerWatts, std::nullopt);
    EXPECT_EQ(s.cycleCount, std::nullopt);

    BatteryReader reader(std::make_unique<ScriptedBattery>());
    EXPECT_EQ(reader.read(), std::nullopt);
}

TEST(LinuxPowerSupply, laptopBatteryInTheRegistrysUnits)
{
    FixtureTree tree(QStringLiteral("sensors/laptop"));
    LinuxPowerSupply supply(tree.root());
    const auto p = supply.batteryProperties();
    ASSERT_TRUE(p);
    EXPECT_EQ(p->value(QStringLiteral("CurrentCapacity")).toInt(), 81);
    EXPECT_TRUE(p->value(QStringLiteral("IsCharging")).toBool());
    EXPECT_FALSE(p->value(QStringLiteral("FullyCharged")).toBool());
    EXPECT_TRUE(p->value(QStringLiteral("ExternalConnected")).toBool());
    EXPECT_EQ(p->value(QStringLiteral("CycleCount")).toInt(), 212);
    EXPECT_EQ(p->value(QStringLiteral("MaxCapacity")).toInt(), 80); // 45.6 of 57 Wh
    EXPECT_EQ(p->value(QStringLiteral("Voltage")).toInt(), 12100);
    EXPECT_EQ(p->value(QStringLiteral("Amperage")).toInt(), 1300); // 15.73 W at 12.1 V
    EXPECT_NEAR(*BatteryReader::sampleFrom(*p).powerWatts, 15.73, 1e-9);

    // Unplugged: discharging, the current turns negative, external power goes.
    tree.write(QStringLiteral("sys/class/power_supply/AC/online"), "0\n");
    tree.write(QStringLiteral("sys/class/power_supply/BAT0/status"), "Discharging\n");
    tree.write(QStringLiteral("sys/class/power_supply/BAT0/current_now"), "2000000\n");
    tree.write(QStringLiteral("sys/class/power_supply/BAT0/energy_full"), "garbage\n");
    // A driver's set of files is fixed: one that reports current_now is another machine.
    const auto unplugged = LinuxPowerSupply(tree.root()).batteryProperties();
    ASSERT_TRUE(unplugged);
    EXPECT_FALSE(unplugged->value(QStringLiteral("ExternalConnected")).toBool());
    EXPECT_EQ(unplugged->value(QStringLiteral("Amperage")).toInt(), -2000);
    EXPECT_FALSE(unplugged->contains(QStringLiteral("MaxCapacity")));

    // The open files are re-read: the first reader sees the unplugging too, and a battery
    // that goes away is gone.
    const auto again = supply.batteryProperties();
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->value(QStringLiteral("ExternalConnected")).toBool());
    tree.remove(QStringLiteral("sys/class/power_supply/BAT0"));
    EXPECT_EQ(supply.batteryProperties(), std::nullopt);
}

TEST(LinuxPowerSupply, desktopWithOnlyAPeripheralBatteryHasNone)
{
    FixtureTree tree(QStringLiteral("sensors/amd-desktop"));
    EXPECT_EQ(LinuxPowerSupply(tree.root()).batteryProperties(), std::nullopt);
    FixtureTree empty(QStringLiteral("sensors/empty"));
    EXPECT_EQ(LinuxPowerSupply(empty.root()).batteryProperties(), std::nullopt);
}

TEST(LinuxGpuRegistry, nvidiaThroughNvmlAndItsFailures)
{
    FixtureTree tree(QStringLiteral("sensors/empty"));
    const auto readWith = [&](const char* mode) {
        qputenv("FAKE_NVML_MODE", mode);
        GPUReader reader(std::make_unique<LinuxGpuRegistry>(tree.root(), CORVANITE_FAKE_NVML));
        return reader.read();
    };
    const auto sample = readWith("ok");
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->deviceUtil, 63.0);
    EXPECT_EQ(sample->allocBytes, 2ull << 30);
    EXPECT_EQ(sample->coreCount, 3072);
    EXPECT_EQ(sample->rendererUtil, std::nullopt);
    for (const char* mode : {"init-fails", "no-device", "util-fails"})
        EXPECT_EQ(readWith(mode), std::nullopt) << mode;

    // A device that stops answering is looked up again once it answers.
    qputenv("FAKE_NVML_MODE", "ok");
    GPUReader reader(std::make_unique<LinuxGpuRegistry>(tree.root(), CORVANITE_FAKE_NVML));
    ASSERT_TRUE(reader.read());
    qputenv("FAKE_NVML_MODE", "util-fails");
    EXPECT_EQ(reader.read(), std::nullopt);
    qputenv("FAKE_NVML_MODE", "ok");
    EXPECT_TRUE(reader.read());
    qunsetenv("FAKE_NVML_MODE");
}

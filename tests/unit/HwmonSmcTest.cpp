// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/HwmonSmc.h"
#include "shared/SMCFan.h"

#include "tests/support/FixtureTree.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::FixtureTree;

namespace {

QByteArray contents(const FixtureTree& tree, const QString& relative)
{
    QFile file(tree.path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

std::optional<SMCKeyInfo> keyInfo(SMCFan& fan, const char* key)
{
    const auto answer = fan.raw(smc::Command::ReadKeyInfo, key);
    if (!answer || !answer->keyInfo().isValid())
        return std::nullopt;
    return answer->keyInfo();
}

const QString kLaptopFan = QStringLiteral("sys/class/hwmon/hwmon10/");
const QString kDesktopGpu = QStringLiteral("sys/class/hwmon/hwmon2/");

} // namespace

TEST(HwmonSmc, laptopKeysFromCoretempSkinZoneBatteryAndFan)
{
    FixtureTree tree(QStringLiteral("sensors/laptop"));
    HwmonSmc device(tree.root());
    SMCFan smc(device);

    // Package first, then the cores; the acpitz monitor is not a CPU sensor.
    EXPECT_EQ(smc.readFloat("Tp01"), 52.0);
    EXPECT_EQ(smc.readFloat("Tp09"), 49.0);
    EXPECT_EQ(smc.readFloat("Tp0D"), 50.5);
    EXPECT_EQ(smc.readFloat("Tp0X"), std::nullopt);
    EXPECT_EQ(smc.readFloat("Ts0P"), 38.5); // skin before acpitz
    EXPECT_EQ(smc.readFloat("Ts1P"), 45.0);
    EXPECT_NEAR(*smc.readFloat("TB0T"), 30.1, 1e-4);
    EXPECT_EQ(smc.readFloat("Tg0D"), std::nullopt);

    EXPECT_EQ(smc.readUInt8("FNum"), 1);
    EXPECT_EQ(smc.readFloat("F0Ac"), 2400.0);
    EXPECT_EQ(smc.readFloat("F0Mn"), 0.0);
    EXPECT_EQ(smc.readFloat("F0Mx"), 5100.0);
    EXPECT_EQ(smc.readFloat("F0Tg"), 2560.0); // open loop: duty 128 of 255 at 5100 rpm
    EXPECT_EQ(smc.readUInt8("F0Md"), 0);      // pwm1_enable 2: the firmware's
    EXPECT_EQ(smc.readFloat("F1Ac"), std::nullopt);

    EXPECT_EQ(keyInfo(smc, "Tp01"), (SMCKeyInfo{4, smc::typeCode("flt "), 0x80}));
    EXPECT_EQ(keyInfo(smc, "F0Md")->dataSize, 1u);
    EXPECT_EQ(keyInfo(smc, "F0Md")->dataType, smc::typeCode("ui8 "));
    EXPECT_EQ(keyInfo(smc, "Tp0Y"), std::nullopt);
}

TEST(HwmonSmc, amdDesktopKeysFromK10tempAndAmdgpu)
{
    FixtureTree tree(QStringLiteral("sensors/amd-desktop"));
    HwmonSmc device(tree.root());
    SMCFan smc(device);
    EXPECT_EQ(smc.readFloat("Tp01"), 61.25); // Tctl
    EXPECT_EQ(smc.readFloat("Tp09"), 58.0);  // Tccd1
    EXPECT_EQ(smc.readFloat("Tg0D"), 47.0);  // edge, junction, mem
    EXPECT_EQ(smc.readFloat("Tg05"), 55.0);
    EXPECT_EQ(smc.readFloat("Tg0L"), 52.0);
    EXPECT_EQ(smc.readFloat("Ts0P"), std::nullopt);
    EXPECT_EQ(smc.readFloat("TB0T"), std::nullopt);
    EXPECT_EQ(smc.readUInt8("FNum"), 1);
    EXPECT_EQ(smc.readFloat("F0Tg"), 1150.0);
    EXPECT_EQ(smc.readFloat("F0Mx"), 3300.0);
}

TEST(HwmonSmc, machineWithNothingAnswersNoKeys)
{
    FixtureTree tree(QStringLiteral("sensors/empty"));
    HwmonSmc device(tree.root());
    SMCFan smc(device);
    EXPECT_TRUE(smc.open());
    for (const char* key : {"Tp01", "Tg0D", "TB0T", "Ts0P", "FNum", "F0Ac", "F0Md"})
        EXPECT_EQ(keyInfo(smc, key), std::nullopt) << key;
    EXPECT_FALSE(smc.writeUInt8("F0Md", 0));
}

TEST(HwmonSmc, forcingWritesTargetOrDutyAndReleaseRestoresTheDriversMode)
{
    FixtureTree tree(QStringLiteral("sensors/amd-desktop"));
    FixtureTree laptop(QStringLiteral("sensors/laptop"));
    {
        HwmonSmc device(tree.root());
        SMCFan smc(device);
        ASSERT_TRUE(smc.writeUInt8("F0Md", 1));
        ASSERT_TRUE(smc.writeFloat("F0Tg", 2000.4f));
        EXPECT_EQ(contents(tree, kDesktopGpu + QStringLiteral("pwm1_enable")), "1");
        EXPECT_EQ(contents(tree, kDesktopGpu + QStringLiteral("fan1_target")), "2000");
        EXPECT_EQ(smc.readUInt8("F0Md"), 1);
        // Forcing again keeps the first saved value, not the manual mode it set itself.
        ASSERT_TRUE(smc.writeUInt8("F0Md", 1));
        ASSERT_TRUE(smc.writeUInt8("F0Md", 0));
        EXPECT_EQ(contents(tree, kDesktopGpu + QStringLiteral("pwm1_enable")), "2");
        // Released without having been forced: 0 is never written.
        ASSERT_TRUE(smc.writeUInt8("F0Md", 0));
        EXPECT_EQ(contents(tree, kDesktopGpu + QStringLiteral("pwm1_enable")), "2");
        EXPECT_FALSE(smc.writeFloat("F0Ac", 1000.0f)); // read-only key
    }
    {
        HwmonSmc device(laptop.root());
        SMCFan smc(device);
        ASSERT_TRUE(smc.writeUInt8("F0Md", 1));
        ASSERT_TRUE(smc.writeFloat("F0Tg", 2550.0f)); // half of 5100 rpm
        EXPECT_EQ(contents(laptop, kLaptopFan + QStringLiteral("pwm1")), "128");
        // Going away while forced hands the fan back too.
    }
    EXPECT_EQ(contents(laptop, kLaptopFan + QStringLiteral("pwm1_enable")), "2");
}

TEST(HwmonSmc, badSensorValuesReadAsNothing)
{
    FixtureTree tree(QStringLiteral("sensors/laptop"));
    HwmonSmc device(tree.root());
    SMCFan smc(device);
    const QString package = QStringLiteral("sys/class/hwmon/hwmon2/temp1_input");
    for (const QByteArray& bad :
         {QByteArray("-ENODATA\n"), QByteArray("garbage"), QByteArray("0\n"),
          QByteArray("-128000\n"), QByteArray("255000\n"), QByteArray("")}) {
        tree.write(package, bad);
        EXPECT_EQ(smc.readFloat("Tp01"), std::nullopt) << bad.constData();
    }
    tree.write(package, "53000\n");
    EXPECT_EQ(smc.readFloat("Tp01"), 53.0);

    const QString fan = kLaptopFan + QStringLiteral("fan1_input");
    tree.write(fan, "0\n");
    EXPECT_EQ(smc.readFloat("F0Ac"), 0.0); // a stopped fan is a reading
    tree.write(fan, "65535\n");
    EXPECT_EQ(smc.readFloat("F0Ac"), std::nullopt);
    tree.write(fan, "-1\n");
    EXPECT_EQ(smc.readFloat("F0Ac"), std::nullopt);
}

TEST(HwmonSmc, deviceThatDisappearsIsLookedUpAgainOnReopen)
{
    FixtureTree tree(QStringLiteral("sensors/amd-desktop"));
    HwmonSmc device(tree.root());
    SMCFan smc(device);
    // Looked up, not read yet: a removed device's files then fail to open, as a live sysfs
    // file of a removed device fails to read.
    ASSERT_TRUE(keyInfo(smc, "Tg0D"));
    ASSERT_EQ(smc.readFloat("Tp01"), 61.25);

    tree.remove(QStringLiteral("sys/class/hwmon/hwmon2"));
    EXPECT_EQ(smc.readFloat("Tg0D"), std::nullopt);
    device.close();
    ASSERT_TRUE(device.open());
    EXPECT_EQ(keyInfo(smc, "Tg0D"), std::nullopt);
    EXPECT_EQ(smc.readUInt8("FNum"), std::nullopt);
    EXPECT_EQ(smc.readFloat("Tp01"), 61.25);
}

// The daemon may die while forcing (crash, kill -9): the release a fresh process makes afterwards
// still finds each fan's original mode in the state file, and falls back to the kernel's
// automatic mode when the record is gone.
TEST(HwmonSmc, freshInstanceRestoresModesSavedByOneThatDied)
{
    FixtureTree tree(QStringLiteral("sensors/laptop"));
    const QString enable = kLaptopFan + QStringLiteral("pwm1_enable");
    const QString state = tree.path(QStringLiteral("run/corvanite-helper/fan-modes"));
    tree.write(enable, "5"); // a driver's own automatic mode, not 2

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        HwmonSmc device(tree.root(), state);
        SMCFan smc(device);
        const bool forced = smc.writeUInt8("F0Md", 1) && smc.writeFloat("F0Tg", 3000.0f);
        _exit(forced ? 0 : 1); // dies without releasing
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(contents(tree, enable), "1");
    EXPECT_EQ(QFileInfo(state).permissions() &
                  ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFileDevice::Permissions());
    EXPECT_EQ(QFileInfo(QFileInfo(state).path()).permissions() &
                  (QFile::ReadOther | QFile::ExeOther),
              QFileDevice::Permissions());

    {
        // Forcing again before the release keeps the original, not the dead one's manual mode.
        HwmonSmc device(tree.root(), state);
        SMCFan smc(device);
        ASSERT_TRUE(smc.writeUInt8("F0Md", 1));
        ASSERT_TRUE(smc.writeUInt8("F0Md", 0));
        EXPECT_EQ(contents(tree, enable), "5");
        EXPECT_FALSE(QFile::exists(state)) << "nothing left to restore";
    }

    struct Case {
        const char* name;
        QByteArray record; // state file contents, empty for none
        QByteArray expected;
    };
    const QByteArray path = QFile::encodeName(tree.path(enable));
    const Case cases[] = {
        {"no record at all", {}, "2"},
        {"a record of another fan only", "/sys/class/hwmon/hwmon9/pwm1_enable\t3\n", "2"},
        {"a record that would mean full speed", path + "\t0\n", "2"},
        {"a garbled record", path + "\tauto\n", "2"},
        {"its own record", path + "\t4\n", "4"},
    };
    for (const Case& c : cases) {
        tree.write(enable, "1");
        QFile::remove(state);
        if (!c.record.isEmpty())
            tree.write(QStringLiteral("run/corvanite-helper/fan-modes"), c.record);
        HwmonSmc device(tree.root(), state);
        SMCFan smc(device);
        EXPECT_TRUE(smc.writeUInt8("F0Md", 0)) << c.name;
        EXPECT_EQ(contents(tree, enable), c.expected) << c.name;
    }

    // A fan that is not forced is left to its driver.
    QFile::remove(state);
    tree.write(enable, "3");
    HwmonSmc device(tree.root(), state);
    SMCFan smc(device);
    EXPECT_TRUE(smc.writeUInt8("F0Md", 0));
    EXPECT_EQ(contents(tree, enable), "3");
}

TEST(HwmonSmc, sleepingGraphicsCardIsNotWokenForItsSensors)
{
    FixtureTree tree(QStringLiteral("sensors/amd-desktop"));
    HwmonSmc device(tree.root());
    SMCFan smc(device);
    ASSERT_EQ(smc.readFloat("Tg0D"), 47.0);
    const QString state = kDesktopGpu + QStringLiteral("device/power/runtime_status");
    tree.write(state, "suspended\n");
    EXPECT_EQ(smc.readFloat("Tg0D"), std::nullopt);
    EXPECT_EQ(smc.readFloat("F0Ac"), std::nullopt);
    EXPECT_EQ(smc.readFloat("Tp01"), 61.25); // the CPU is not the card
    tree.write(state, "active\n");
    EXPECT_EQ(smc.readFloat("Tg0D"), 47.0);
}

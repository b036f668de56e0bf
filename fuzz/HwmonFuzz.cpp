// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// hwmon values: a CPU monitor's temperature and label and a fan's files, read and forced
// through the controller's keys.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/HwmonSmc.h"
#include "shared/SMCFan.h"

using namespace corvanite;

namespace {

const char* const kFiles[] = {
    "name",     "temp1_input", "temp1_label", "temp2_input", "fan1_input",
    "fan1_min", "fan1_max",    "fan1_target", "pwm1",        "pwm1_enable",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto& tree = fuzz::ScratchTree::shared();
    const int count = int(std::size(kFiles));
    const QList<QByteArray> values = fuzz::fields(data, size, count);
    for (int i = 0; i < count; ++i) {
        const QString relative =
            QStringLiteral("sys/class/hwmon/hwmon0/") + QLatin1String(kFiles[i]);
        // An empty field leaves the file out, as a driver that lacks it would.
        if (values[i].isEmpty() && i > 0)
            tree.remove(relative);
        else
            tree.write(relative, values[i]);
    }
    HwmonSmc device(tree.root());
    SMCFan smc(device);
    for (const char* key : {"Tp01", "Tp09", "FNum", "F0Ac", "F0Mn", "F0Mx", "F0Tg", "F0Md"})
        (void)smc.readFloat(key), (void)smc.readUInt8(key);
    (void)device.describeKeys();
    if (smc.writeUInt8("F0Md", 1))
        (void)smc.writeFloat("F0Tg", 2000.0f);
    (void)smc.writeUInt8("F0Md", 0);
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// power-supply values: a battery's attributes and a charger's.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxPowerSupply.h"

using namespace corvanite;

namespace {

const char* const kFiles[] = {
    "BAT0/type",
    "BAT0/scope",
    "BAT0/status",
    "BAT0/capacity",
    "BAT0/voltage_now",
    "BAT0/current_now",
    "BAT0/power_now",
    "BAT0/energy_full",
    "BAT0/energy_full_design",
    "BAT0/charge_full",
    "BAT0/charge_full_design",
    "BAT0/cycle_count",
    "AC/type",
    "AC/online",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto& tree = fuzz::ScratchTree::shared();
    const int count = int(std::size(kFiles));
    const QList<QByteArray> values = fuzz::fields(data, size, count);
    for (int i = 0; i < count; ++i) {
        const QString relative =
            QStringLiteral("sys/class/power_supply/") + QLatin1String(kFiles[i]);
        if (values[i].isEmpty())
            tree.remove(relative);
        else
            tree.write(relative, values[i]);
    }
    LinuxPowerSupply supply(tree.root());
    (void)supply.batteryProperties();
    return 0;
}

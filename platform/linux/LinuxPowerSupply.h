#pragma once

#include "platform/BatteryRegistry.h"

#include <QString>

namespace corvanite {

// The system battery under `root`/sys/class/power_supply: the first supply of type "Battery"
// that powers the system (not a peripheral's), with mains or USB supplies for external power.
// sysfs reports µV, µA, µW and µWh/µAh; the properties come out in the units named above.
class LinuxPowerSupply final : public BatteryRegistry {
public:
    explicit LinuxPowerSupply(QString root = QStringLiteral("/"));
    std::optional<QVariantMap> batteryProperties() override;

private:
    const QString m_root;
};

} // namespace corvanite

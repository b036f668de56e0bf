// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariantMap>

#include <optional>

namespace corvanite {

// The smart battery's properties: "CurrentCapacity" (percent), "IsCharging", "FullyCharged",
// "ExternalConnected" (truth values), "CycleCount", "MaxCapacity" (health, percent), "Voltage"
// (mV) and "Amperage" (mA, negative while discharging). A property the battery does not report is
// missing. Called on the sampling thread only.
class BatteryRegistry {
public:
    virtual ~BatteryRegistry() = default;
    // Nothing when there is no battery or its properties cannot be read.
    virtual std::optional<QVariantMap> batteryProperties() = 0;
};

} // namespace corvanite

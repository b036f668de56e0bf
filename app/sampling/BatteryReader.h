// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/DeviceSources.h"
#include "platform/BatteryRegistry.h"

#include <memory>

namespace corvanite {

// The battery's charge, state, wear and power draw from its registry properties; nothing when
// the machine has no battery.
class BatteryReader final : public BatterySource {
public:
    explicit BatteryReader(std::unique_ptr<BatteryRegistry> registry);
    std::optional<BatterySample> read() override;

    // The record built from one property dictionary.
    static BatterySample sampleFrom(const QVariantMap& properties);

private:
    std::unique_ptr<BatteryRegistry> m_registry;
};

} // namespace corvanite

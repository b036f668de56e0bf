// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace corvanite {

// The graphics accelerator's registry entry. Statistics use the keys "Device Utilization %",
// "Renderer Utilization %", "Tiler Utilization %" (integer percent) and "Alloc system memory"
// (bytes); a key the device does not report is missing. Called on the sampling thread only.
class GpuRegistry {
public:
    virtual ~GpuRegistry() = default;

    // Finds the accelerator; false when the machine has none.
    virtual bool lookup() = 0;
    // The device's core count as found from the entry looked up: nothing when no such property
    // exists, else its value (which may not be a number).
    virtual std::optional<QVariant> searchCoreCount() = 0;
    // The performance statistics of the entry looked up; nothing when they cannot be read.
    virtual std::optional<QVariantMap> performanceStatistics() = 0;
    // Lets go of the entry; the next use starts with a lookup.
    virtual void release() = 0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <optional>

// The seams through which a sampling pass takes its device readings. Each returns its empty value
// when the machine has no such device or the reading fails; none reports an error. All are called
// on the sampling thread, on heavy passes (temperatures also on light passes that ask for them).

namespace corvanite {

// Temperatures and fan speeds.
class SensorSource {
public:
    virtual ~SensorSource() = default;
    virtual ThermalSample readTemperatures() = 0;
    // Actual RPM of each fan that answered, in fan index order.
    virtual QList<double> readFanSpeeds() = 0;
};

class GpuSource {
public:
    virtual ~GpuSource() = default;
    virtual std::optional<GPUSample> read() = 0;
};

class BatterySource {
public:
    virtual ~BatterySource() = default;
    virtual std::optional<BatterySample> read() = 0;
};

// Processes that keep the machine from sleeping, with the blocking assertion types they hold.
class SleepAssertionSource {
public:
    virtual ~SleepAssertionSource() = default;
    virtual AssertionMap readSleepBlockers() = 0;
};

// Energy rows: one row per resource group, with its power draw in watts. EnergyReader is the
// machine's; a machine without energy counters gives no rows.
class EnergySource {
public:
    virtual ~EnergySource() = default;
    virtual QList<ProcessSample> aggregatedRows(const QList<ProcessSample>& processes) = 0;
};

} // namespace corvanite

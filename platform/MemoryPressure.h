// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

namespace corvanite {

// Memory stall averages over the last ten seconds (percent of time some or all tasks waited for
// memory) and the memory the kernel deems available, in bytes. A value that cannot be read is
// absent.
struct PressureReading {
    std::optional<double> someAvg10;
    std::optional<double> fullAvg10;
    std::optional<quint64> availableBytes;
    std::optional<quint64> totalBytes;

    bool operator==(const PressureReading&) const = default;
};

class MemoryPressureSource {
public:
    virtual ~MemoryPressureSource() = default;
    // Nothing when neither the stall averages nor the memory totals can be read.
    virtual std::optional<PressureReading> readMemoryPressure() = 0;
};

// A descriptor that turns ready (priority data) when memory stalls cross a threshold, so a
// rise is noticed between sampling passes without a timer of our own.
class PressureTrigger {
public:
    virtual ~PressureTrigger() = default;
    virtual int descriptor() const = 0;
};

} // namespace corvanite

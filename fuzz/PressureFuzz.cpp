// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// /proc/pressure/memory.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxMemoryPressure.h"

#include <cmath>
#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PressureReading reading;
    LinuxMemoryPressure::parsePressure(fuzz::text(data, size), reading);
    // A share of time stalled: whatever the text says, never NaN or infinite.
    for (const auto& value : {reading.someAvg10, reading.fullAvg10}) {
        if (value && !std::isfinite(*value))
            std::abort();
    }
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// /proc/meminfo, as the memory statistics and the pressure reading take it, and the figures
// derived from it.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxMemoryPressure.h"
#include "platform/linux/LinuxMemoryStats.h"

#include <cstring>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::text(data, size);
    if (const auto values = LinuxMemoryStats::parseMeminfo(input)) {
        // The zram total and the page size come from other files: take them from the input's
        // first bytes so extreme ones are tried too.
        quint64 zram = 0;
        quint64 pageSize = 4096;
        if (size >= 16) {
            std::memcpy(&zram, data, 8);
            std::memcpy(&pageSize, data + 8, 8);
        }
        (void)LinuxMemoryStats::toStats(*values, zram, pageSize);
        (void)LinuxMemoryStats::toStats(*values, 0, 4096);
    }
    PressureReading reading;
    LinuxMemoryPressure::parseMeminfo(input, reading);
    return 0;
}

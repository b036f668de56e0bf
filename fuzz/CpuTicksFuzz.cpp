// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// /proc/stat.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxCpuTicks.h"

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CpuTicksReading reading; // reused between inputs, as the sampling pass does
    LinuxCpuTicks::parse(fuzz::text(data, size), reading);
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A zram device's mm_stat line.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxMemoryStats.h"

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    (void)LinuxMemoryStats::parseZramUsed(fuzz::text(data, size));
    return 0;
}

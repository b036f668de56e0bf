// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The helper's fan readings as the application decodes them.
#include "fuzz/FuzzSupport.h"
#include "shared/FanReading.h"

#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto readings = FanReading::decodeList(fuzz::bytes(data, size));
    if (!readings)
        return 0;
    // What was understood survives being sent again.
    const auto again = FanReading::decodeList(FanReading::encodeList(*readings));
    if (!again || *again != *readings)
        std::abort();
    return 0;
}

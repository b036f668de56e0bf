// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The stored list of paused process groups.
#include "app/process/PausedGroup.h"
#include "fuzz/FuzzSupport.h"

#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto groups = PausedGroup::decode(fuzz::bytes(data, size));
    if (!groups)
        return 0;
    // A record that was read is written back the same, or the next launch would lose it.
    const auto again = PausedGroup::decode(PausedGroup::encode(*groups));
    if (!again || *again != *groups)
        std::abort();
    return 0;
}

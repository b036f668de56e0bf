// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// /proc/<pid>/stat lines: the name is the process's own choice (blanks, parentheses, newlines).
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxProcessTable.h"
#include "platform/linux/ProcStat.h"

#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::text(data, size);
    ProcStat stat;
    if (parseProcStat(input, stat)) {
        // The name is a piece of the line, never something read past its end.
        if (stat.comm.data() < input.data() ||
            stat.comm.data() + stat.comm.size() > input.data() + input.size())
            std::abort();
    }
    // The rest of the input stands in for the command line (NUL-separated arguments).
    const std::size_t half = size / 2;
    (void)LinuxProcessTable::displayName(input.substr(0, half), input.substr(half));
    (void)LinuxProcessTable::displayName(stat.comm, input);
    return 0;
}

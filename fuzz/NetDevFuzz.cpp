// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// /proc/net/dev: each line on its own, and the whole table through the reader, which keeps the
// interface names between passes.
#include "fuzz/FuzzSupport.h"
#include "platform/linux/LinuxNetworkCounters.h"
#include "platform/linux/ProcText.h"

#include <cstdlib>

using namespace corvanite;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::text(data, size);
    proctext::Lines lines(input);
    std::string_view line;
    bool complete = false;
    while (lines.next(line, complete)) {
        LinuxNetworkCounters::Line parsed;
        if (LinuxNetworkCounters::parseLine(line, parsed) && parsed.name.size() >= 16)
            std::abort(); // longer than the kernel's interface names: it would not fit
    }

    const auto& tree = fuzz::ScratchTree::shared();
    static bool flagsWritten = false;
    if (!flagsWritten) {
        tree.write(QStringLiteral("sys/class/net/eth0/flags"), "0x1003\n");
        tree.write(QStringLiteral("sys/class/net/lo/flags"), "0x9\n");
        flagsWritten = true;
    }
    tree.write(QStringLiteral("proc/net/dev"), fuzz::bytes(data, size));
    LinuxNetworkCounters counters(tree.root(), 1);
    (void)counters.readNetworkBytes();
    (void)counters.readNetworkBytes();
    return 0;
}

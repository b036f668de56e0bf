// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/CpuTicks.h"
#include "platform/linux/ProcFile.h"

#include <string_view>

namespace corvanite {

// Host and per-core ticks from /proc/stat. The kernel's finer classes fold into the four the
// usage formula knows: interrupt, soft-interrupt and steal time are system time (the CPU was not
// free for us), I/O wait is idle time (the CPU could have run something else).
class LinuxCpuTicks final : public CpuTicksSource {
public:
    explicit LinuxCpuTicks(const QString& root = QStringLiteral("/"));
    void read(CpuTicksReading& into) override;

    // The parsing step on its own: the "cpu" line gives the host counters (absent when missing,
    // cut off or malformed), the "cpuN" lines the per-core counters (all dropped when any of them
    // is cut off or malformed, so a half-read table is never compared core by core).
    static void parse(std::string_view statText, CpuTicksReading& into);

private:
    ProcFile m_stat;
};

} // namespace corvanite

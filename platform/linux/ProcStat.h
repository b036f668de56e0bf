// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/linux/ProcText.h"

#include <string_view>

namespace corvanite {

// The kernel's flag for its own threads (PF_KTHREAD).
inline constexpr quint64 kProcFlagKernelThread = 0x00200000;

// The fields of /proc/<pid>/stat the application uses. Times are clock ticks, rss is pages.
struct ProcStat {
    std::string_view comm; // between the first '(' and the last ')'
    char state = '?';
    qint64 ppid = 0;
    qint64 pgrp = 0;
    quint64 flags = 0; // the kernel's PF_* bits
    quint64 utime = 0;
    quint64 stime = 0;
    quint64 threads = 0;
    quint64 starttime = 0;
    quint64 vsize = 0;
    quint64 rss = 0;
};

// Parses a stat line. The name is user-controlled and may hold blanks, parentheses or newlines,
// so the fields are taken after the last ')'. False when the line is cut short or malformed.
inline bool parseProcStat(std::string_view text, ProcStat& out)
{
    const std::size_t open = text.find('(');
    const std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return false;
    out.comm = text.substr(open + 1, close - open - 1);
    std::string_view rest = text.substr(close + 1);
    proctext::skipSpaces(rest);
    if (rest.empty())
        return false;
    out.state = rest[0];
    rest.remove_prefix(1);
    // Fields after the state, counted from 4 (ppid) in the kernel's numbering.
    quint64 value = 0;
    for (int field = 4; field <= 24; ++field) {
        proctext::skipSpaces(rest);
        bool negative = false;
        if (!rest.empty() && rest[0] == '-') {
            negative = true;
            rest.remove_prefix(1);
        }
        if (!proctext::takeU64(rest, value))
            return false;
        const quint64 v = negative ? 0 : value;
        switch (field) {
        case 4:
            out.ppid = static_cast<qint64>(v);
            break;
        case 5:
            out.pgrp = static_cast<qint64>(v);
            break;
        case 9:
            out.flags = v;
            break;
        case 14:
            out.utime = v;
            break;
        case 15:
            out.stime = v;
            break;
        case 20:
            out.threads = v;
            break;
        case 22:
            out.starttime = v;
            break;
        case 23:
            out.vsize = v;
            break;
        case 24:
            out.rss = v;
            break;
        default:
            break;
        }
    }
    return true;
}

} // namespace corvanite

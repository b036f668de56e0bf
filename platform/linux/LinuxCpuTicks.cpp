// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxCpuTicks.h"

#include "platform/linux/ProcText.h"

namespace corvanite {

namespace {

// user nice system idle iowait irq softirq steal; guest time is already part of user and nice.
constexpr int kUsedFields = 8;
constexpr int kRequiredFields = 4;

bool parseTicks(std::string_view fields, CpuTicks& ticks)
{
    quint64 f[kUsedFields] = {};
    int count = 0;
    while (count < kUsedFields && proctext::takeU64(fields, f[count]))
        ++count;
    if (count < kRequiredFields)
        return false;
    proctext::skipSpaces(fields);
    if (!fields.empty() && !(fields[0] >= '0' && fields[0] <= '9'))
        return false;
    ticks.user = f[0];
    ticks.nice = f[1];
    ticks.system = f[2] + f[5] + f[6] + f[7];
    ticks.idle = f[3] + f[4];
    return true;
}

} // namespace

LinuxCpuTicks::LinuxCpuTicks(const QString& root)
    : m_stat(pathUnderRoot(root, "proc/stat"), 16 * 1024)
{
}

void LinuxCpuTicks::read(CpuTicksReading& into)
{
    const std::string_view text = m_stat.read();
    if (!m_stat.ok()) {
        into.host.reset();
        into.cores.clear();
        return;
    }
    parse(text, into);
}

void LinuxCpuTicks::parse(std::string_view statText, CpuTicksReading& into)
{
    into.host.reset();
    into.cores.clear();
    bool coresOk = true;
    proctext::Lines lines(statText);
    std::string_view line;
    bool complete = false;
    while (lines.next(line, complete)) {
        if (!proctext::startsWith(line, "cpu"))
            break; // the cpu lines come first, together
        std::string_view rest = line.substr(3);
        const bool isHost = !rest.empty() && rest[0] == ' ';
        CpuTicks ticks;
        if (isHost) {
            if (complete && parseTicks(rest, ticks))
                into.host = ticks;
            continue;
        }
        quint64 number = 0;
        if (!complete || !proctext::takeU64(rest, number) || rest.empty() || rest[0] != ' ' ||
            !parseTicks(rest, ticks)) {
            coresOk = false;
            break;
        }
        into.cores.push_back(CoreTicks{static_cast<int>(number), ticks});
    }
    if (!coresOk)
        into.cores.clear();
}

} // namespace corvanite

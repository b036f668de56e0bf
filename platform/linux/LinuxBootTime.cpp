// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxBootTime.h"

#include "platform/linux/ProcFile.h"
#include "platform/linux/ProcText.h"

namespace corvanite {

LinuxBootTime::LinuxBootTime(const QString& root)
    : m_root(root)
{
}

std::optional<double> LinuxBootTime::readBootTime()
{
    const QByteArray text = ProcFile::readOnce(pathUnderRoot(m_root, "proc/stat"));
    return parse({text.constData(), static_cast<std::size_t>(text.size())});
}

std::optional<double> LinuxBootTime::parse(std::string_view statText)
{
    proctext::Lines lines(statText);
    std::string_view line;
    bool complete = false;
    while (lines.next(line, complete)) {
        if (!complete || !proctext::startsWith(line, "btime "))
            continue;
        std::string_view rest = line.substr(6);
        quint64 seconds = 0;
        if (!proctext::takeU64(rest, seconds) || seconds == 0)
            return std::nullopt;
        return static_cast<double>(seconds);
    }
    return std::nullopt;
}

} // namespace corvanite

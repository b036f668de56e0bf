// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MemoryPressure.h"

#include <QString>

#include <memory>

namespace corvanite {

class ProcFile;

// The kernel's pressure stall information for memory (`root`/proc/pressure/memory) and, when
// asked for, MemAvailable/MemTotal from `root`/proc/meminfo (a sampling pass has those from its
// memory statistics already), kept open and re-read.
class LinuxMemoryPressure final : public MemoryPressureSource {
public:
    explicit LinuxMemoryPressure(QString root = QStringLiteral("/"), bool withMeminfo = true);
    ~LinuxMemoryPressure() override;
    std::optional<PressureReading> readMemoryPressure() override;

    // Parses the pressure file's "some avg10=…" and "full avg10=…" into `into`.
    static void parsePressure(std::string_view text, PressureReading& into);
    static void parseMeminfo(std::string_view text, PressureReading& into);

private:
    std::unique_ptr<ProcFile> m_pressure;
    std::unique_ptr<ProcFile> m_meminfo;
};

// A stall trigger on `root`/proc/pressure/memory: ready when tasks stalled on memory for 200 ms
// within a 2-second window (10 %, the warning threshold). Unprivileged processes may only set
// windows in whole multiples of 2 s, and older kernels refuse them altogether: then there is no
// trigger and the sampling passes' readings are all there is.
class PsiTrigger final : public PressureTrigger {
public:
    static std::unique_ptr<PsiTrigger> open(const QString& root = QStringLiteral("/"));
    ~PsiTrigger() override;
    int descriptor() const override { return m_fd; }

private:
    explicit PsiTrigger(int fd)
        : m_fd(fd)
    {
    }
    int m_fd;
};

} // namespace corvanite

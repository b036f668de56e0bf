// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxMemoryPressure.h"

#include "platform/linux/ProcFile.h"

#include <QFile>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace corvanite {

namespace {

std::string_view lineStarting(std::string_view text, std::string_view prefix)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = text.substr(pos, end - pos);
        if (line.substr(0, prefix.size()) == prefix)
            return line;
        pos = end + 1;
    }
    return {};
}

std::optional<double> avg10(std::string_view line)
{
    const std::size_t at = line.find("avg10=");
    if (at == std::string_view::npos)
        return std::nullopt;
    const char* begin = line.data() + at + 6;
    const char* end = line.data() + line.size();
    double value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || ptr == begin || !(value >= 0 && value <= 100))
        return std::nullopt;
    return value;
}

std::optional<quint64> kib(std::string_view line, std::string_view prefix)
{
    if (line.empty())
        return std::nullopt;
    std::string_view rest = line.substr(prefix.size());
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    quint64 value = 0;
    const auto [ptr, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || ptr == rest.data() || value > ~quint64(0) / 1024)
        return std::nullopt;
    return value * 1024;
}

} // namespace

LinuxMemoryPressure::LinuxMemoryPressure(QString root, bool withMeminfo)
    : m_pressure(std::make_unique<ProcFile>(pathUnderRoot(root, "proc/pressure/memory"), 256))
    , m_meminfo(withMeminfo ? std::make_unique<ProcFile>(pathUnderRoot(root, "proc/meminfo"), 8192)
                            : nullptr)
{
}

LinuxMemoryPressure::~LinuxMemoryPressure() = default;

void LinuxMemoryPressure::parsePressure(std::string_view text, PressureReading& into)
{
    into.someAvg10 = avg10(lineStarting(text, "some "));
    into.fullAvg10 = avg10(lineStarting(text, "full "));
}

void LinuxMemoryPressure::parseMeminfo(std::string_view text, PressureReading& into)
{
    into.availableBytes = kib(lineStarting(text, "MemAvailable:"), "MemAvailable:");
    into.totalBytes = kib(lineStarting(text, "MemTotal:"), "MemTotal:");
}

std::optional<PressureReading> LinuxMemoryPressure::readMemoryPressure()
{
    PressureReading reading;
    const std::string_view pressure = m_pressure->read();
    if (m_pressure->ok())
        parsePressure(pressure, reading);
    if (m_meminfo) {
        const std::string_view meminfo = m_meminfo->read();
        if (m_meminfo->ok())
            parseMeminfo(meminfo, reading);
    }
    if (!reading.someAvg10 && !reading.fullAvg10 && !(reading.availableBytes && reading.totalBytes))
        return std::nullopt;
    return reading;
}

std::unique_ptr<PsiTrigger> PsiTrigger::open(const QString& root)
{
    const QByteArray path = pathUnderRoot(root, "proc/pressure/memory");
    const int fd = ::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    // Only the kernel's own file takes a trigger; a copy of it would just be overwritten.
    constexpr long kProcSuperMagic = 0x9fa0;
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0 || long(fs.f_type) != kProcSuperMagic) {
        ::close(fd);
        return nullptr;
    }
    static constexpr char kTrigger[] = "some 200000 2000000";
    // The terminating zero is part of what the kernel expects to read.
    if (::write(fd, kTrigger, sizeof kTrigger) < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<PsiTrigger>(new PsiTrigger(fd));
}

PsiTrigger::~PsiTrigger()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace corvanite

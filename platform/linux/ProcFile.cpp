// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/ProcFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace corvanite {

namespace {
// Far beyond any procfs file we read; stops a misbehaving file from eating memory.
constexpr std::size_t kMaxCapacity = 8u * 1024u * 1024u;
} // namespace

ProcFile::ProcFile(QByteArray path, std::size_t initialCapacity)
    : m_path(std::move(path))
    , m_buffer(initialCapacity > 0 ? initialCapacity : 4096)
{
}

ProcFile::~ProcFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ProcFile::ensureOpen()
{
    if (m_fd < 0)
        m_fd = ::open(m_path.constData(), O_RDONLY | O_CLOEXEC);
    return m_fd >= 0;
}

std::string_view ProcFile::read()
{
    m_ok = false;
    if (!ensureOpen())
        return {};
    for (;;) {
        ssize_t n;
        do {
            n = ::pread(m_fd, m_buffer.data(), m_buffer.size(), 0);
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            // The file may have gone (an interface or device removed): reopen on the next call.
            ::close(m_fd);
            m_fd = -1;
            return {};
        }
        const auto got = static_cast<std::size_t>(n);
        if (got < m_buffer.size()) {
            m_ok = true;
            return {m_buffer.data(), got};
        }
        // A full buffer may mean a cut-off file; read it again whole into a larger buffer.
        if (m_buffer.size() >= kMaxCapacity)
            return {};
        m_buffer.resize(m_buffer.size() * 2);
    }
}

QByteArray ProcFile::readOnce(const QByteArray& path)
{
    ProcFile file(path, 4096);
    const std::string_view text = file.read();
    return file.ok() ? QByteArray(text.data(), static_cast<qsizetype>(text.size())) : QByteArray();
}

std::string_view ProcFile::readInto(const char* path, char* buffer, std::size_t capacity)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    ssize_t n;
    do {
        n = ::read(fd, buffer, capacity);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    return n > 0 ? std::string_view(buffer, static_cast<std::size_t>(n)) : std::string_view();
}

QByteArray pathUnderRoot(const QString& root, const char* relative)
{
    QByteArray path = QFile::encodeName(root.isEmpty() ? QStringLiteral("/") : root);
    if (!path.endsWith('/'))
        path += '/';
    path += relative;
    return path;
}

} // namespace corvanite

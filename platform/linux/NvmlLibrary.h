// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

namespace corvanite {

// NVIDIA's management library, loaded at run time so the program needs no NVIDIA package to
// start. Everything answers nothing when the library is missing or fails to initialise.
class NvmlLibrary {
public:
    struct Reading {
        unsigned int gpuPercent = 0;
        std::optional<unsigned long long> memoryUsed; // bytes
    };

    // `soname` is opened with dlopen; tests pass a library of their own.
    explicit NvmlLibrary(QByteArray soname = QByteArrayLiteral("libnvidia-ml.so.1"));
    ~NvmlLibrary();
    NvmlLibrary(const NvmlLibrary&) = delete;
    NvmlLibrary& operator=(const NvmlLibrary&) = delete;

    // Loads and initialises the library and picks the first device; true when one is there.
    bool open();
    std::optional<Reading> read();
    // Absent when the driver does not report it.
    std::optional<unsigned int> coreCount();
    // Forgets the device; the next open() picks it again.
    void releaseDevice() { m_device = nullptr; }
    // The library is not installed: trying again is pointless while the process runs.
    bool isMissing() const { return m_missing; }
    void close();

private:
    struct Api;

    QByteArray m_soname;
    void* m_handle = nullptr;
    Api* m_api = nullptr;
    void* m_device = nullptr;
    bool m_initialised = false;
    bool m_missing = false;
};

} // namespace corvanite

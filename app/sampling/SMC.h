// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SmcDevice.h"
#include "shared/SMCParamStruct.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>

namespace corvanite {

// The application's read access to the controller. Each key's info is asked once per run and
// remembered, failures included, so a key the machine lacks costs one exchange per run. A failed
// call is tried once more over a fresh connection. One lock covers the connection and the cache:
// the sampling thread and the fan controller on the main thread both read through here.
class SMC {
public:
    // A key's value bytes, exactly its data size.
    struct Bytes {
        std::array<std::uint8_t, smc::kMaxDataSize> data{};
        std::size_t size = 0;
        std::span<const std::uint8_t> span() const { return {data.data(), size}; }
    };

    explicit SMC(std::unique_ptr<SmcDevice> device);
    // The process's connection to the machine's controller; built in the composition root.
    static SMC& shared();

    std::optional<Bytes> readBytes(std::string_view key);
    // A finite, non-negative float as is; otherwise the two-byte fixed-point integer part.
    std::optional<double> readValue(std::string_view key);

private:
    bool ensureOpen();
    std::optional<SMCParamStruct> callWithRetry(const SMCParamStruct& request);

    std::mutex m_mutex;
    std::unique_ptr<SmcDevice> m_device;
    // Absent info: the key is known not to work.
    std::unordered_map<std::uint32_t, std::optional<SMCKeyInfo>> m_keyInfoCache;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SmcDevice.h"
#include "shared/SMCParamStruct.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace corvanite {

// The fan helper's access to the controller: every operation asks for the key's info and then
// makes its one read or write. Nothing is cached and nothing is retried; a failed open is tried
// again on the next exchange. Holds no lock: the helper calls it from its control queue.
class SMCFan {
public:
    // `device` must outlive this object.
    explicit SMCFan(SmcDevice& device);

    // True when the device is open or could be opened.
    bool open();

    // One exchange with `command`, the key, optional key info and at most 32 bytes to write: the
    // answer record, or nothing when the device cannot be opened or the call fails.
    std::optional<SMCParamStruct> raw(smc::Command command, std::string_view key,
                                      const std::optional<SMCKeyInfo>& meta = std::nullopt,
                                      std::span<const std::uint8_t> write = {});

    // A float key's value; non-finite values are nothing, negative ones are returned.
    std::optional<double> readFloat(std::string_view key);
    std::optional<std::uint8_t> readUInt8(std::string_view key);
    // Whether the write call succeeded; a key narrower than a float refuses a float.
    bool writeFloat(std::string_view key, float value);
    bool writeUInt8(std::string_view key, std::uint8_t value);

private:
    std::optional<SMCKeyInfo> validKeyInfo(std::string_view key);
    bool write(std::string_view key, std::size_t leastSize, std::span<const std::uint8_t> bytes);

    SmcDevice& m_device;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/SMCFan.h"

#include <cmath>

namespace corvanite {

SMCFan::SMCFan(SmcDevice& device)
    : m_device(device)
{
}

bool SMCFan::open()
{
    return m_device.isOpen() || m_device.open();
}

std::optional<SMCParamStruct> SMCFan::raw(smc::Command command, std::string_view key,
                                          const std::optional<SMCKeyInfo>& meta,
                                          std::span<const std::uint8_t> write)
{
    if (!open())
        return std::nullopt;
    return m_device.call(SMCParamStruct::request(command, smc::keyCode(key), meta, write));
}

std::optional<SMCKeyInfo> SMCFan::validKeyInfo(std::string_view key)
{
    const auto answer = raw(smc::Command::ReadKeyInfo, key);
    if (!answer)
        return std::nullopt;
    const SMCKeyInfo info = answer->keyInfo();
    if (!info.isValid())
        return std::nullopt;
    return info;
}

std::optional<double> SMCFan::readFloat(std::string_view key)
{
    const auto info = validKeyInfo(key);
    if (!info || info->dataSize < 4)
        return std::nullopt;
    const auto answer = raw(smc::Command::ReadBytes, key, info);
    if (!answer)
        return std::nullopt;
    const float value = *smc::decodeFloat(answer->data());
    if (!std::isfinite(value))
        return std::nullopt;
    return double(value);
}

std::optional<std::uint8_t> SMCFan::readUInt8(std::string_view key)
{
    const auto info = validKeyInfo(key);
    if (!info)
        return std::nullopt;
    const auto answer = raw(smc::Command::ReadBytes, key, info);
    if (!answer)
        return std::nullopt;
    return answer->data()[0];
}

bool SMCFan::write(std::string_view key, std::size_t leastSize, std::span<const std::uint8_t> bytes)
{
    const auto info = validKeyInfo(key);
    if (!info || info->dataSize < leastSize)
        return false;
    // The key's own size and type go with the data, even when the key is wider than the value.
    return raw(smc::Command::WriteBytes, key, info, bytes).has_value();
}

bool SMCFan::writeFloat(std::string_view key, float value)
{
    const auto bytes = smc::encodeFloat(value);
    return write(key, 4, bytes);
}

bool SMCFan::writeUInt8(std::string_view key, std::uint8_t value)
{
    const std::uint8_t bytes[1] = {value};
    return write(key, 1, bytes);
}

} // namespace corvanite

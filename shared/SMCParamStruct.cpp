// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/SMCParamStruct.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace corvanite {

namespace smc {

std::uint32_t keyCode(std::string_view key)
{
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < key.size() && i < 4; ++i)
        code = code * 256u + static_cast<std::uint8_t>(key[i]);
    return code;
}

std::array<char, 4> keyChars(std::uint32_t code)
{
    return {static_cast<char>((code >> 24) & 0xff), static_cast<char>((code >> 16) & 0xff),
            static_cast<char>((code >> 8) & 0xff), static_cast<char>(code & 0xff)};
}

std::array<std::uint8_t, 4> typeCode(std::string_view type)
{
    std::array<std::uint8_t, 4> code{};
    for (std::size_t i = 0; i < type.size() && i < 4; ++i)
        code[i] = static_cast<std::uint8_t>(type[i]);
    return code;
}

std::optional<float> decodeFloat(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    const std::uint32_t bits = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) |
                               (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24);
    return std::bit_cast<float>(bits);
}

std::array<std::uint8_t, 4> encodeFloat(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits & 0xff), static_cast<std::uint8_t>((bits >> 8) & 0xff),
            static_cast<std::uint8_t>((bits >> 16) & 0xff),
            static_cast<std::uint8_t>((bits >> 24) & 0xff)};
}

std::optional<double> decodeFixedPoint2(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 2)
        return std::nullopt;
    return double(bytes[0]) * 64.0 + double(bytes[1] / 4);
}

std::optional<double> decodeValue(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() == 4) {
        const float value = *decodeFloat(bytes);
        if (std::isfinite(value) && value >= 0.0f)
            return value == 0.0f ? 0.0 : double(value);
    }
    return decodeFixedPoint2(bytes);
}

} // namespace smc

SMCParamStruct SMCParamStruct::request(smc::Command command, std::uint32_t key,
                                       const std::optional<SMCKeyInfo>& info,
                                       std::span<const std::uint8_t> bytes)
{
    SMCParamStruct record;
    record.setKey(key);
    if (info)
        record.setKeyInfo(*info);
    record.setCommand(static_cast<std::uint8_t>(command));
    if (!bytes.empty())
        record.setData(bytes);
    return record;
}

SMCKeyInfo SMCParamStruct::keyInfo() const
{
    SMCKeyInfo info;
    info.dataSize = readU32(smc::kDataSizeOffset);
    std::copy_n(m_bytes.begin() + smc::kDataTypeOffset, 4, info.dataType.begin());
    info.dataAttrs = m_bytes[smc::kDataAttributesOffset];
    return info;
}

void SMCParamStruct::setKeyInfo(const SMCKeyInfo& info)
{
    writeU32(smc::kDataSizeOffset, info.dataSize);
    std::copy_n(info.dataType.begin(), 4, m_bytes.begin() + smc::kDataTypeOffset);
    m_bytes[smc::kDataAttributesOffset] = info.dataAttrs;
}

void SMCParamStruct::setData(std::span<const std::uint8_t> bytes)
{
    const std::size_t n = std::min(bytes.size(), smc::kMaxDataSize);
    std::fill_n(m_bytes.begin() + smc::kBytesOffset, smc::kMaxDataSize, std::uint8_t(0));
    std::copy_n(bytes.begin(), n, m_bytes.begin() + smc::kBytesOffset);
}

std::uint32_t SMCParamStruct::readU32(std::size_t offset) const
{
    return std::uint32_t(m_bytes[offset]) | (std::uint32_t(m_bytes[offset + 1]) << 8) |
           (std::uint32_t(m_bytes[offset + 2]) << 16) | (std::uint32_t(m_bytes[offset + 3]) << 24);
}

void SMCParamStruct::writeU32(std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        m_bytes[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xff);
}

} // namespace corvanite

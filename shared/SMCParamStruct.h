// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The system management controller's key protocol: one fixed 80-byte parameter record is both
// the question and the answer of every call. Multi-byte integers are little-endian; a key is a
// four-character code with its first character in the most significant byte.

namespace corvanite {

namespace smc {

constexpr std::size_t kRecordSize = 80;
constexpr std::size_t kMaxDataSize = 32;

// Field offsets within the record.
constexpr std::size_t kKeyOffset = 0;             // 4 bytes, key code
constexpr std::size_t kVersionOffset = 4;         // 6 bytes, always 0
constexpr std::size_t kPowerLimitOffset = 12;     // 16 bytes, always 0
constexpr std::size_t kDataSizeOffset = 28;       // 4 bytes
constexpr std::size_t kDataTypeOffset = 32;       // 4 bytes, carried as given
constexpr std::size_t kDataAttributesOffset = 36; // 1 byte
constexpr std::size_t kResultOffset = 40;         // 1 byte, never examined
constexpr std::size_t kStatusOffset = 41;         // 1 byte
constexpr std::size_t kCommandOffset = 42;        // 1 byte (data8)
constexpr std::size_t kData32Offset = 44;         // 4 bytes, always 0
constexpr std::size_t kBytesOffset = 48;          // 32 bytes of value

enum class Command : std::uint8_t {
    ReadBytes = 5,
    WriteBytes = 6,
    ReadKeyInfo = 9,
};

// The result byte a device sets for a key it does not know. Callers judge keys by the data
// size instead; this only keeps simulated answers looking like real ones.
constexpr std::uint8_t kResultKeyNotFound = 0x84;

// The first four bytes of `key`, shifted in from the left; a shorter key gives a smaller code.
std::uint32_t keyCode(std::string_view key);
// The four characters of a code, for logs and lookups.
std::array<char, 4> keyChars(std::uint32_t code);

// A four-byte type code from its text ("flt ", "ui8 ").
std::array<std::uint8_t, 4> typeCode(std::string_view type);

} // namespace smc

struct SMCKeyInfo {
    std::uint32_t dataSize = 0;
    std::array<std::uint8_t, 4> dataType{};
    std::uint8_t dataAttrs = 0;

    // A key-info answer is usable only when its size fits the record's value area.
    bool isValid() const { return dataSize >= 1 && dataSize <= smc::kMaxDataSize; }
    bool operator==(const SMCKeyInfo&) const = default;
};

// One parameter record with typed access to its fields.
class SMCParamStruct {
public:
    SMCParamStruct() { m_bytes.fill(0); }

    // A request: the key, the command, the key info when given (size, type and attributes
    // exactly as a key-info answer gave them) and at most 32 value bytes.
    static SMCParamStruct request(smc::Command command, std::uint32_t key,
                                  const std::optional<SMCKeyInfo>& info = std::nullopt,
                                  std::span<const std::uint8_t> bytes = {});

    std::uint32_t key() const { return readU32(smc::kKeyOffset); }
    void setKey(std::uint32_t code) { writeU32(smc::kKeyOffset, code); }

    SMCKeyInfo keyInfo() const;
    void setKeyInfo(const SMCKeyInfo& info);

    std::uint8_t command() const { return m_bytes[smc::kCommandOffset]; }
    void setCommand(std::uint8_t command) { m_bytes[smc::kCommandOffset] = command; }

    std::uint8_t result() const { return m_bytes[smc::kResultOffset]; }
    void setResult(std::uint8_t result) { m_bytes[smc::kResultOffset] = result; }

    // The value area, offsets 48 to 79.
    std::span<const std::uint8_t, smc::kMaxDataSize> data() const
    {
        return std::span<const std::uint8_t, smc::kMaxDataSize>(m_bytes.data() + smc::kBytesOffset,
                                                                smc::kMaxDataSize);
    }
    // Copies at most 32 bytes into the value area and zeroes the rest of it.
    void setData(std::span<const std::uint8_t> bytes);

    const std::array<std::uint8_t, smc::kRecordSize>& bytes() const { return m_bytes; }
    std::array<std::uint8_t, smc::kRecordSize>& bytes() { return m_bytes; }

    bool operator==(const SMCParamStruct&) const = default;

private:
    std::uint32_t readU32(std::size_t offset) const;
    void writeU32(std::size_t offset, std::uint32_t value);

    std::array<std::uint8_t, smc::kRecordSize> m_bytes;
};

static_assert(sizeof(SMCParamStruct) == smc::kRecordSize);

namespace smc {

// A little-endian single-precision float from the first four bytes; nothing with fewer bytes.
std::optional<float> decodeFloat(std::span<const std::uint8_t> bytes);
// The four little-endian bytes of a float.
std::array<std::uint8_t, 4> encodeFloat(float value);
// The integer part of the big-endian unsigned fixed-point value with two fractional bits:
// byte0 × 64 + byte1 ÷ 4. Nothing with fewer than two bytes.
std::optional<double> decodeFixedPoint2(std::span<const std::uint8_t> bytes);
// The application's reading of a value: a finite, non-negative four-byte float as is; anything
// else through the two-byte fixed-point form; nothing below two bytes.
std::optional<double> decodeValue(std::span<const std::uint8_t> bytes);

} // namespace smc

} // namespace corvanite

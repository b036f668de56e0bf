// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SmcDevice.h"

#include <QList>
#include <QString>

#include <map>
#include <mutex>
#include <vector>

namespace corvanite {

// An in-memory controller: a key table answered the way a real controller answers. Writes land
// in the table, so a fan forced to a target can be read back; with fans following their targets,
// a forced fan's actual speed becomes its target as a real fan's would. Thread-safe.
class SimulatedSmc final : public SmcDevice {
public:
    struct Write {
        QString key;
        std::vector<std::uint8_t> bytes;
        bool operator==(const Write&) const = default;
    };

    SimulatedSmc() = default;

    // Keys: floats ("flt ", 4 bytes), bytes ("ui8 ", 1 byte) or any raw key info and value.
    void setFloat(const QString& key, float value);
    void setUInt8(const QString& key, std::uint8_t value);
    void setKey(const QString& key, const SMCKeyInfo& info, std::vector<std::uint8_t> bytes);
    void removeKey(const QString& key);
    // The stored value bytes of a key, empty when it does not exist.
    std::vector<std::uint8_t> value(const QString& key) const;
    std::optional<float> floatValue(const QString& key) const;
    std::optional<std::uint8_t> uint8Value(const QString& key) const;

    // A simple machine: `fans` fans with "FNum", "F<i>Ac/Tg/Mn/Mx/Md", in automatic mode.
    void addFans(int fans, float minRpm, float maxRpm, float actualRpm);
    // When on, writing a target to a fan in forced mode (or forcing it) sets its actual speed.
    void setFansFollowTargets(bool follow);

    // Failure staging: no controller at all (open fails), the next `count` calls fail, or every
    // call about one key fails.
    void setAvailable(bool available);
    void failNextCalls(int count);
    void setKeyFails(const QString& key, bool fails);

    int callCount() const;
    int openCount() const;
    QList<Write> writes() const;
    void clearWrites();

    bool open() override;
    void close() override;
    bool isOpen() const override;
    std::optional<SMCParamStruct> call(const SMCParamStruct& input) override;

private:
    struct Entry {
        SMCKeyInfo info;
        std::vector<std::uint8_t> bytes;
    };

    void followTarget(std::uint32_t writtenKey);

    mutable std::mutex m_mutex;
    std::map<std::uint32_t, Entry> m_keys;
    std::map<std::uint32_t, bool> m_failingKeys;
    QList<Write> m_writes;
    bool m_available = true;
    bool m_open = false;
    bool m_follow = false;
    int m_failNext = 0;
    int m_calls = 0;
    int m_opens = 0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sim/SimulatedSmc.h"

#include <algorithm>

namespace corvanite {

namespace {

std::uint32_t codeOf(const QString& key)
{
    const QByteArray utf8 = key.toUtf8();
    return smc::keyCode(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

QString textOf(std::uint32_t code)
{
    const auto chars = smc::keyChars(code);
    return QString::fromLatin1(chars.data(), 4);
}

SMCKeyInfo floatInfo()
{
    return {4, smc::typeCode("flt "), 0};
}

SMCKeyInfo byteInfo()
{
    return {1, smc::typeCode("ui8 "), 0};
}

} // namespace

void SimulatedSmc::setFloat(const QString& key, float value)
{
    const auto bytes = smc::encodeFloat(value);
    setKey(key, floatInfo(), {bytes.begin(), bytes.end()});
}

void SimulatedSmc::setUInt8(const QString& key, std::uint8_t value)
{
    setKey(key, byteInfo(), {value});
}

void SimulatedSmc::setKey(const QString& key, const SMCKeyInfo& info,
                          std::vector<std::uint8_t> bytes)
{
    const std::lock_guard lock(m_mutex);
    m_keys[codeOf(key)] = Entry{info, std::move(bytes)};
}

void SimulatedSmc::removeKey(const QString& key)
{
    const std::lock_guard lock(m_mutex);
    m_keys.erase(codeOf(key));
}

std::vector<std::uint8_t> SimulatedSmc::value(const QString& key) const
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_keys.find(codeOf(key));
    return it == m_keys.end() ? std::vector<std::uint8_t>{} : it->second.bytes;
}

std::optional<float> SimulatedSmc::floatValue(const QString& key) const
{
    return smc::decodeFloat(value(key));
}

std::optional<std::uint8_t> SimulatedSmc::uint8Value(const QString& key) const
{
    const auto bytes = value(key);
    if (bytes.empty())
        return std::nullopt;
    return bytes.front();
}

void SimulatedSmc::addFans(int fans, float minRpm, float maxRpm, float actualRpm)
{
    setUInt8(QStringLiteral("FNum"), std::uint8_t(std::clamp(fans, 0, 255)));
    for (int i = 0; i < fans; ++i) {
        const QString prefix = QStringLiteral("F%1").arg(i);
        setFloat(prefix + QStringLiteral("Ac"), actualRpm);
        setFloat(prefix + QStringLiteral("Tg"), actualRpm);
        setFloat(prefix + QStringLiteral("Mn"), minRpm);
        setFloat(prefix + QStringLiteral("Mx"), maxRpm);
        setUInt8(prefix + QStringLiteral("Md"), 0);
    }
}

void SimulatedSmc::setFansFollowTargets(bool follow)
{
    const std::lock_guard lock(m_mutex);
    m_follow = follow;
}

void SimulatedSmc::setAvailable(bool available)
{
    const std::lock_guard lock(m_mutex);
    m_available = available;
    if (!available)
        m_open = false;
}

void SimulatedSmc::failNextCalls(int count)
{
    const std::lock_guard lock(m_mutex);
    m_failNext = std::max(count, 0);
}

void SimulatedSmc::setKeyFails(const QString& key, bool fails)
{
    const std::lock_guard lock(m_mutex);
    m_failingKeys[codeOf(key)] = fails;
}

int SimulatedSmc::callCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

int SimulatedSmc::openCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_opens;
}

QList<SimulatedSmc::Write> SimulatedSmc::writes() const
{
    const std::lock_guard lock(m_mutex);
    return m_writes;
}

void SimulatedSmc::clearWrites()
{
    const std::lock_guard lock(m_mutex);
    m_writes.clear();
}

bool SimulatedSmc::open()
{
    const std::lock_guard lock(m_mutex);
    ++m_opens;
    m_open = m_available;
    return m_open;
}

void SimulatedSmc::close()
{
    const std::lock_guard lock(m_mutex);
    m_open = false;
}

bool SimulatedSmc::isOpen() const
{
    const std::lock_guard lock(m_mutex);
    return m_open;
}

std::optional<SMCParamStruct> SimulatedSmc::call(const SMCParamStruct& input)
{
    const std::lock_guard lock(m_mutex);
    ++m_calls;
    if (!m_open)
        return std::nullopt;
    if (m_failNext > 0) {
        --m_failNext;
        return std::nullopt;
    }
    const std::uint32_t key = input.key();
    if (const auto failing = m_failingKeys.find(key);
        failing != m_failingKeys.end() && failing->second)
        return std::nullopt;

    SMCParamStruct answer;
    answer.setKey(key);
    const auto it = m_keys.find(key);
    if (it == m_keys.end()) {
        answer.setResult(smc::kResultKeyNotFound);
        return answer;
    }
    Entry& entry = it->second;
    switch (input.command()) {
    case std::uint8_t(smc::Command::ReadKeyInfo):
        answer.setKeyInfo(entry.info);
        return answer;
    case std::uint8_t(smc::Command::ReadBytes):
        answer.setKeyInfo(entry.info);
        answer.setData(entry.bytes);
        return answer;
    case std::uint8_t(smc::Command::WriteBytes): {
        const auto data = input.data();
        const std::size_t size = std::min<std::size_t>(entry.info.dataSize, data.size());
        entry.bytes.assign(data.begin(), data.begin() + std::ptrdiff_t(size));
        m_writes.append(Write{textOf(key), entry.bytes});
        if (m_follow)
            followTarget(key);
        return answer;
    }
    default:
        return std::nullopt;
    }
}

void SimulatedSmc::followTarget(std::uint32_t writtenKey)
{
    const auto chars = smc::keyChars(writtenKey);
    if (chars[0] != 'F')
        return;
    const QString text = textOf(writtenKey);
    const QString suffix = text.right(2);
    if (suffix != QLatin1String("Tg") && suffix != QLatin1String("Md"))
        return;
    const QString prefix = text.left(text.size() - 2);
    const auto find = [this, &prefix](const char* s) {
        return m_keys.find(codeOf(prefix + QLatin1String(s)));
    };
    const auto mode = find("Md");
    const auto target = find("Tg");
    const auto actual = find("Ac");
    if (mode == m_keys.end() || target == m_keys.end() || actual == m_keys.end())
        return;
    if (!mode->second.bytes.empty() && mode->second.bytes.front() == 1)
        actual->second.bytes = target->second.bytes;
}

} // namespace corvanite

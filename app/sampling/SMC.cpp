// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SMC.h"

#include <algorithm>

namespace corvanite {

SMC::SMC(std::unique_ptr<SmcDevice> device)
    : m_device(std::move(device))
{
}

bool SMC::ensureOpen()
{
    return m_device && (m_device->isOpen() || m_device->open());
}

std::optional<SMCParamStruct> SMC::callWithRetry(const SMCParamStruct& request)
{
    if (auto answer = m_device->call(request))
        return answer;
    m_device->close();
    if (!m_device->open())
        return std::nullopt;
    return m_device->call(request);
}

std::optional<SMC::Bytes> SMC::readBytes(std::string_view key)
{
    const std::lock_guard lock(m_mutex);
    const std::uint32_t code = smc::keyCode(key);

    SMCKeyInfo info;
    if (const auto cached = m_keyInfoCache.find(code); cached != m_keyInfoCache.end()) {
        if (!cached->second)
            return std::nullopt;
        info = *cached->second;
    } else {
        // Without a connection nothing is learnt about the key: ask again next time.
        if (!ensureOpen())
            return std::nullopt;
        const auto answer = callWithRetry(SMCParamStruct::request(smc::Command::ReadKeyInfo, code));
        if (!answer || !answer->keyInfo().isValid()) {
            m_keyInfoCache.emplace(code, std::nullopt);
            return std::nullopt;
        }
        info = answer->keyInfo();
        m_keyInfoCache.emplace(code, info);
    }

    if (!ensureOpen())
        return std::nullopt;
    const auto answer = callWithRetry(SMCParamStruct::request(smc::Command::ReadBytes, code, info));
    if (!answer)
        return std::nullopt;
    Bytes bytes;
    bytes.size = info.dataSize;
    std::copy_n(answer->data().begin(), info.dataSize, bytes.data.begin());
    return bytes;
}

std::optional<double> SMC::readValue(std::string_view key)
{
    const auto bytes = readBytes(key);
    if (!bytes)
        return std::nullopt;
    return smc::decodeValue(bytes->span());
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <string_view>

// Allocation-free helpers for the line-oriented text of procfs and sysfs files.

namespace corvanite::proctext {

// Walks the lines of a file. A line without its closing newline is a cut-off line: `complete`
// tells the caller so it can refuse to trust it.
class Lines {
public:
    explicit Lines(std::string_view text)
        : m_rest(text)
    {
    }
    bool next(std::string_view& line, bool& complete)
    {
        if (m_rest.empty())
            return false;
        const std::size_t end = m_rest.find('\n');
        complete = end != std::string_view::npos;
        line = m_rest.substr(0, complete ? end : m_rest.size());
        m_rest.remove_prefix(complete ? end + 1 : m_rest.size());
        return true;
    }

private:
    std::string_view m_rest;
};

inline void skipSpaces(std::string_view& s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    s.remove_prefix(i);
}

// Parses an unsigned decimal after optional blanks and consumes it. False when there is no digit
// or the value does not fit in 64 bits.
inline bool takeU64(std::string_view& s, quint64& value)
{
    skipSpaces(s);
    std::size_t i = 0;
    quint64 v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        const auto digit = static_cast<quint64>(s[i] - '0');
        if (v > (~quint64(0) - digit) / 10)
            return false;
        v = v * 10 + digit;
        ++i;
    }
    if (i == 0)
        return false;
    s.remove_prefix(i);
    value = v;
    return true;
}

// Parses "0x..." or plain hexadecimal, as sysfs writes interface flags.
inline bool takeHex(std::string_view& s, quint64& value)
{
    skipSpaces(s);
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s.remove_prefix(2);
    std::size_t i = 0;
    quint64 v = 0;
    for (; i < s.size() && i < 16; ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        v = (v << 4) | static_cast<quint64>(d);
    }
    if (i == 0)
        return false;
    s.remove_prefix(i);
    value = v;
    return true;
}

inline bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace corvanite::proctext

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <variant>

namespace corvanite {

// One argument of a localised template. Converts implicitly from the integer, floating and
// string types that call sites hold, so L("key", {count, bytesText, 3.5}) reads naturally.
class LArg {
public:
    enum class Kind { Signed, Unsigned, Floating, String };

    LArg(int value)
        : m_value(static_cast<qint64>(value))
    {
    }
    LArg(long value)
        : m_value(static_cast<qint64>(value))
    {
    }
    LArg(long long value)
        : m_value(static_cast<qint64>(value))
    {
    }
    LArg(unsigned value)
        : m_value(static_cast<quint64>(value))
    {
    }
    LArg(unsigned long value)
        : m_value(static_cast<quint64>(value))
    {
    }
    LArg(unsigned long long value)
        : m_value(static_cast<quint64>(value))
    {
    }
    LArg(double value)
        : m_value(value)
    {
    }
    LArg(QString value)
        : m_value(std::move(value))
    {
    }
    LArg(const char* utf8)
        : m_value(QString::fromUtf8(utf8))
    {
    }

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool isInteger() const { return kind() == Kind::Signed || kind() == Kind::Unsigned; }
    bool isNumber() const { return kind() != Kind::String; }

    qint64 signedValue() const { return std::get<qint64>(m_value); }
    quint64 unsignedValue() const { return std::get<quint64>(m_value); }
    double floatingValue() const { return std::get<double>(m_value); }
    const QString& stringValue() const { return std::get<QString>(m_value); }

    // Any number as a double (large 64-bit integers lose precision, as in C).
    double toDouble() const;

private:
    // Order matches Kind.
    std::variant<qint64, quint64, double, QString> m_value;
};

} // namespace corvanite

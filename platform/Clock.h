// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

namespace corvanite {

// Seconds between 1970-01-01 and 2001-01-01 UTC.
inline constexpr double kUnixToAbsolute = 978307200.0;

// The one source of time. Wall time is absolute seconds since 2001-01-01 UTC; the monotonic
// clock is seconds from an arbitrary origin and never goes backwards. Time-gated rules take a
// Clock so tests can drive them with a FakeClock instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    virtual double monotonic() const = 0;

    double unixNow() const { return now() + kUnixToAbsolute; }

    static Clock& system();
};

// A clock that only moves when told to. The sampling worker reads it while a test moves it, so
// both readings are atomic.
class FakeClock : public Clock {
public:
    explicit FakeClock(double now = 800000000.0)
        : m_now(now)
    {
    }
    double now() const override { return m_now.load(); }
    double monotonic() const override { return m_monotonic.load(); }
    void advance(double seconds)
    {
        m_now.store(m_now.load() + seconds);
        m_monotonic.store(m_monotonic.load() + seconds);
    }
    void setNow(double now) { m_now.store(now); }

private:
    std::atomic<double> m_now;
    std::atomic<double> m_monotonic{1000.0};
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clock.h"

#include <chrono>

namespace corvanite {

namespace {

class SystemClock final : public Clock {
public:
    double now() const override
    {
        using namespace std::chrono;
        const auto since1970 = duration<double>(system_clock::now().time_since_epoch()).count();
        return since1970 - kUnixToAbsolute;
    }
    double monotonic() const override
    {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
};

} // namespace

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}

} // namespace corvanite

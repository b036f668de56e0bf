// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace corvanite {

class BootTimeSource {
public:
    virtual ~BootTimeSource() = default;
    // Seconds since 1970-01-01 UTC at which the machine booted; absent when unreadable.
    virtual std::optional<double> readBootTime() = 0;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace corvanite {

// One stored reading: wall-clock seconds since 2001-01-01 UTC and the value.
struct HistoryPoint {
    double time = 0.0;
    double value = 0.0;

    bool operator==(const HistoryPoint&) const = default;
};

} // namespace corvanite

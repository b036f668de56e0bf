// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

namespace corvanite {

// Byte totals summed over the counted interfaces (up, not loopback, backed by a physical device).
struct NetworkTotals {
    quint64 received = 0;
    quint64 sent = 0;
    // Changes whenever the set of counted interfaces changes. Totals taken over two different
    // sets are not comparable: an adapter that comes up brings its whole history with it.
    quint64 interfaceSet = 0;

    bool operator==(const NetworkTotals&) const = default;
};

// Called on the sampling thread only.
class NetworkCountersSource {
public:
    virtual ~NetworkCountersSource() = default;
    // Absent when the interface list cannot be obtained.
    virtual std::optional<NetworkTotals> readNetworkBytes() = 0;
};

} // namespace corvanite

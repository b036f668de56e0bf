// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QVariant>

#include <optional>

namespace corvanite {

// One process's entry in the power-management assertion table, as the platform gives it: the
// process id (a number) and its assertions (a list of dictionaries with the string values
// "AssertType" and "Process Name"). Values are passed through unchecked; the reader judges them.
struct ProcessAssertionEntry {
    QVariant pid;
    QVariant assertions;
};

// Called on the sampling thread.
class PowerAssertions {
public:
    virtual ~PowerAssertions() = default;
    // The table in the platform's own order; nothing when the query fails.
    virtual std::optional<QList<ProcessAssertionEntry>> assertionsByProcess() = 0;
};

} // namespace corvanite

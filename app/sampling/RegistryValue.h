// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariant>

#include <optional>

namespace corvanite {

// The value of a registry property that holds an integer (not a float, text or truth value);
// unsigned values beyond the signed range are capped.
std::optional<qint64> integerValue(const QVariant& value);

} // namespace corvanite

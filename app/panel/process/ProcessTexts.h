// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite {

// The power and energy columns of energy rows, in fixed formats whatever the language.
namespace ProcessTexts {

QString power(double watts);
QString energy(double nanojoules);
// A share of physical memory with one decimal, "%4.1f%%".
QString percent(double value);

} // namespace ProcessTexts
} // namespace corvanite

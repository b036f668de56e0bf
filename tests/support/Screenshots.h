// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite::test {

// Where a test saves a picture for people to look at: <build>/screenshots/<fileName>. The
// folder is created on demand.
QString screenshotPath(const QString& fileName);

} // namespace corvanite::test

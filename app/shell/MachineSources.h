// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/SystemSources.h"

#include <QString>

namespace corvanite {

// The running machine's readers, with procfs and sysfs under `root`. Readings this build does
// not take yet are answered as a machine without them would.
SystemSources machineSources(const QString& root = QStringLiteral("/"));

} // namespace corvanite

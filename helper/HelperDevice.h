// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SmcDevice.h"

#include <QString>

#include <memory>

namespace corvanite {

// The controller the daemon talks to: the machine's (hwmon), or for test runs a simulated one
// kept in `simulatedState` (see SimulatedSmcFile).
std::unique_ptr<SmcDevice> makeHelperDevice(const QString& simulatedState);

} // namespace corvanite

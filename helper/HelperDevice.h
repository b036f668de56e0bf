#pragma once

#include "platform/SmcDevice.h"

#include <QString>

#include <memory>

namespace corvanite {

// The controller the daemon talks to: the machine's (hwmon), or for test runs a simulated one
// kept in `simulatedState` (see SimulatedSmcFile).
std::unique_ptr<SmcDevice> makeHelperDevice(const QString& simulatedState);

} // namespace corvanite

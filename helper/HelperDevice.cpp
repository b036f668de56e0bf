// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/HelperDevice.h"

#include "helper/SimulatedSmcFile.h"
#include "platform/linux/HwmonSmc.h"

namespace corvanite {

std::unique_ptr<SmcDevice> makeHelperDevice(const QString& simulatedState)
{
    if (!simulatedState.isEmpty())
        return std::make_unique<SimulatedSmcFile>(simulatedState);
    // Kept under /run (the unit's runtime folder), so the release after a crash or kill can
    // still put each fan back to the mode it had; a reboot resets the fans anyway.
    return std::make_unique<HwmonSmc>(QStringLiteral("/"),
                                      QStringLiteral("/run/corvanite-helper/fan-modes"));
}

} // namespace corvanite

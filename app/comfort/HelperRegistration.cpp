// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/HelperRegistration.h"

namespace corvanite {

QString fanHelperStateName(FanHelperState state)
{
    switch (state) {
    case FanHelperState::notRegistered:
        return QStringLiteral("notRegistered");
    case FanHelperState::requiresApproval:
        return QStringLiteral("requiresApproval");
    case FanHelperState::enabled:
        return QStringLiteral("enabled");
    case FanHelperState::unavailable:
        break;
    }
    return QStringLiteral("unavailable");
}

} // namespace corvanite

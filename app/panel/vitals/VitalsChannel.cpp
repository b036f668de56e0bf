// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsChannel.h"

#include "app/panel/VitalsTheme.h"

namespace corvanite {

QColor VitalsChannel::shownColor() const
{
    return isAlarm ? VitalsTheme::alarm : color;
}

} // namespace corvanite

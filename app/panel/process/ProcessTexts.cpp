// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessTexts.h"

namespace corvanite::ProcessTexts {

QString power(double watts)
{
    if (watts >= 10)
        return QString::asprintf("%.0f W", watts);
    if (watts >= 1)
        return QString::asprintf("%.1f W", watts);
    return QString::asprintf("%.2f W", watts);
}

QString energy(double nanojoules)
{
    // One watt-hour is 3600 J, 3.6e12 nJ.
    const double wattHours = nanojoules / 3.6e12;
    if (wattHours >= 10)
        return QString::asprintf("%.0f Wh", wattHours);
    if (wattHours >= 1)
        return QString::asprintf("%.1f Wh", wattHours);
    const double milli = wattHours * 1000;
    if (milli >= 1)
        return QString::asprintf("%.0f mWh", milli);
    return QStringLiteral("<1 mWh");
}

QString percent(double value)
{
    return QString::asprintf("%4.1f%%", value);
}

} // namespace corvanite::ProcessTexts

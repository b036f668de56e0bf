// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/Samples.h"

#include "app/base/L10n.h"

namespace corvanite {

QString BatterySample::statusKey() const
{
    if (isCharging)
        return QStringLiteral("battery.status.charging");
    if (isCharged)
        return QStringLiteral("battery.status.charged");
    if (externalConnected)
        return QStringLiteral("battery.status.notCharging");
    return QStringLiteral("battery.status.onBattery");
}

QString BatterySample::statusText() const
{
    return L(statusKey());
}

void registerSampleMetaTypes()
{
    qRegisterMetaType<CPUSample>();
    qRegisterMetaType<MemorySample>();
    qRegisterMetaType<NetSample>();
    qRegisterMetaType<ProcessSample>();
    qRegisterMetaType<QList<ProcessSample>>();
    qRegisterMetaType<ThermalSample>();
    qRegisterMetaType<BatterySample>();
    qRegisterMetaType<GPUSample>();
    qRegisterMetaType<std::optional<GPUSample>>();
    qRegisterMetaType<HeavyCache>();
    qRegisterMetaType<PressureLevel>();
    qRegisterMetaType<std::optional<PressureLevel>>();
    qRegisterMetaType<Snapshot>();
}

} // namespace corvanite

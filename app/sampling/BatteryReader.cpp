// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/BatteryReader.h"

#include "app/sampling/RegistryValue.h"

#include <cmath>

namespace corvanite {

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

std::optional<qint64> integer(const QVariantMap& properties, const QString& key)
{
    const auto it = properties.constFind(key);
    if (it == properties.constEnd() || !isNumber(*it))
        return std::nullopt;
    if (const auto exact = integerValue(*it))
        return exact;
    return qint64(it->toDouble());
}

bool truth(const QVariantMap& properties, const QString& key)
{
    const auto it = properties.constFind(key);
    return it != properties.constEnd() && isNumber(*it) && it->toDouble() != 0.0;
}

} // namespace

BatteryReader::BatteryReader(std::unique_ptr<BatteryRegistry> registry)
    : m_registry(std::move(registry))
{
}

std::optional<BatterySample> BatteryReader::read()
{
    if (!m_registry)
        return std::nullopt;
    const std::optional<QVariantMap> properties = m_registry->batteryProperties();
    if (!properties)
        return std::nullopt;
    return sampleFrom(*properties);
}

BatterySample BatteryReader::sampleFrom(const QVariantMap& properties)
{
    BatterySample sample;
    if (const auto v = integer(properties, QStringLiteral("CurrentCapacity")))
        sample.percentage = int(*v);
    sample.isCharging = truth(properties, QStringLiteral("IsCharging"));
    sample.isCharged = truth(properties, QStringLiteral("FullyCharged"));
    sample.externalConnected = truth(properties, QStringLiteral("ExternalConnected"));
    if (const auto v = integer(properties, QStringLiteral("CycleCount")))
        sample.cycleCount = int(*v);
    if (const auto v = integer(properties, QStringLiteral("MaxCapacity")))
        sample.healthPercent = int(*v);
    const auto volts = integer(properties, QStringLiteral("Voltage"));
    const auto amps = integer(properties, QStringLiteral("Amperage"));
    if (volts && amps)
        sample.powerWatts = std::fabs(double(*volts) * double(*amps)) / 1'000'000.0;
    return sample;
}

} // namespace corvanite

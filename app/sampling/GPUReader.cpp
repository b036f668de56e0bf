// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/GPUReader.h"

#include "app/sampling/RegistryValue.h"

#include <algorithm>

namespace corvanite {

namespace {

std::optional<double> percent(const QVariantMap& stats, const QString& key)
{
    const auto it = stats.constFind(key);
    if (it == stats.constEnd())
        return std::nullopt;
    const std::optional<qint64> value = integerValue(*it);
    if (!value)
        return std::nullopt;
    return double(std::clamp<qint64>(*value, 0, 100));
}

} // namespace

GPUReader::GPUReader(std::unique_ptr<GpuRegistry> registry)
    : m_registry(std::move(registry))
{
}

std::optional<GPUSample> GPUReader::read()
{
    if (!m_registry)
        return std::nullopt;
    if (!m_service) {
        if (!m_registry->lookup())
            return std::nullopt;
        m_service = true;
        if (const std::optional<QVariant> found = m_registry->searchCoreCount()) {
            std::optional<qint64> count = integerValue(*found);
            if (!count && found->typeId() == QMetaType::Double)
                count = qint64(found->toDouble());
            m_cachedCoreCount = count ? std::optional<int>(int(*count)) : std::nullopt;
        }
    }

    const std::optional<QVariantMap> stats = m_registry->performanceStatistics();
    if (!stats) {
        m_registry->release();
        m_service = false;
        return std::nullopt;
    }
    const std::optional<double> device = percent(*stats, QStringLiteral("Device Utilization %"));
    if (!device)
        return std::nullopt;

    GPUSample sample;
    sample.deviceUtil = *device;
    sample.rendererUtil = percent(*stats, QStringLiteral("Renderer Utilization %"));
    sample.tilerUtil = percent(*stats, QStringLiteral("Tiler Utilization %"));
    const auto alloc = stats->constFind(QStringLiteral("Alloc system memory"));
    if (alloc != stats->constEnd()) {
        const int type = alloc->typeId();
        if (type == QMetaType::ULongLong || type == QMetaType::UInt || type == QMetaType::ULong)
            sample.allocBytes = alloc->toULongLong();
        else if (const std::optional<qint64> bytes = integerValue(*alloc); bytes && *bytes >= 0)
            sample.allocBytes = quint64(*bytes);
    }
    sample.coreCount = m_cachedCoreCount;
    return sample;
}

} // namespace corvanite

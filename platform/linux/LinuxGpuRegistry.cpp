// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/LinuxGpuRegistry.h"

#include "platform/linux/NvmlLibrary.h"
#include "platform/linux/ProcFile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <dirent.h>
#include <vector>

namespace corvanite {

namespace {

QString under(const QString& root, const QString& relative)
{
    return root.endsWith(QLatin1Char('/')) ? root + relative : root + QLatin1Char('/') + relative;
}

std::unique_ptr<ProcFile> fileIfExists(const QString& path)
{
    if (!QFile::exists(path))
        return nullptr;
    return std::make_unique<ProcFile>(QFile::encodeName(path), 64);
}

// "simd_count 40" in a compute topology node's properties.
std::optional<qint64> property(const QByteArray& properties, const QByteArray& name)
{
    for (const QByteArray& line : properties.split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 2 && parts[0] == name) {
            bool ok = false;
            const qint64 value = parts[1].toLongLong(&ok);
            if (ok)
                return value;
        }
    }
    return std::nullopt;
}

} // namespace

LinuxGpuRegistry::LinuxGpuRegistry(QString root, QByteArray nvmlLibrary)
    : m_root(std::move(root))
    , m_nvmlLibrary(std::move(nvmlLibrary))
{
}

LinuxGpuRegistry::~LinuxGpuRegistry() = default;

bool LinuxGpuRegistry::lookup()
{
    release();
    // Listed with readdir: on a machine without a GPU this runs on every heavy pass.
    const QByteArray drm = QFile::encodeName(under(m_root, QStringLiteral("sys/class/drm/")));
    std::vector<int> cards;
    if (DIR* dir = ::opendir(drm.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name.substr(0, 4) != "card" || name.size() == 4)
                continue;
            int n = 0;
            const auto [end, error] =
                std::from_chars(name.data() + 4, name.data() + name.size(), n);
            if (error == std::errc() && end == name.data() + name.size())
                cards.push_back(n);
        }
        ::closedir(dir);
    }
    std::sort(cards.begin(), cards.end());
    for (const int n : cards) {
        const QString device = QFile::decodeName(drm) + QStringLiteral("card%1/device/").arg(n);
        if (auto busy = fileIfExists(device + QStringLiteral("gpu_busy_percent"))) {
            m_busy = std::move(busy);
            m_vramUsed = fileIfExists(device + QStringLiteral("mem_info_vram_used"));
            m_gttUsed = fileIfExists(device + QStringLiteral("mem_info_gtt_used"));
            m_powerState = fileIfExists(device + QStringLiteral("power/runtime_status"));
            return true;
        }
    }
    if (m_nvmlLibrary.isEmpty())
        return false;
    if (!m_nvml)
        m_nvml = std::make_unique<NvmlLibrary>(m_nvmlLibrary);
    m_usingNvml = m_nvml->open();
    return m_usingNvml;
}

std::optional<QVariant> LinuxGpuRegistry::searchCoreCount()
{
    if (m_usingNvml) {
        if (const auto cores = m_nvml->coreCount())
            return QVariant(qint64(*cores));
        return std::nullopt;
    }
    if (!m_busy)
        return std::nullopt;
    // The compute driver lists each GPU node with its SIMD units; CPU nodes have none.
    const QString nodes = under(m_root, QStringLiteral("sys/class/kfd/kfd/topology/nodes/"));
    for (const QString& node :
         QDir(nodes).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QByteArray properties =
            ProcFile::readOnce(QFile::encodeName(nodes + node + QStringLiteral("/properties")));
        const auto simds = property(properties, "simd_count");
        const auto perCu = property(properties, "simd_per_cu");
        if (simds && perCu && *simds > 0 && *perCu > 0)
            return QVariant(qint64(*simds / *perCu));
    }
    return std::nullopt;
}

std::optional<qint64> LinuxGpuRegistry::readInteger(ProcFile* file)
{
    if (!file)
        return std::nullopt;
    std::string_view text = file->read();
    if (!file->ok())
        return std::nullopt;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    qint64 value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<QVariantMap> LinuxGpuRegistry::performanceStatistics()
{
    QVariantMap stats;
    if (m_usingNvml) {
        const auto reading = m_nvml->read();
        if (!reading)
            return std::nullopt;
        stats.insert(QStringLiteral("Device Utilization %"), qint64(reading->gpuPercent));
        if (reading->memoryUsed)
            stats.insert(QStringLiteral("Alloc system memory"), qulonglong(*reading->memoryUsed));
        return stats;
    }
    if (m_powerState) {
        const std::string_view state = m_powerState->read();
        if (m_powerState->ok() && state.substr(0, 9) == "suspended") {
            stats.insert(QStringLiteral("Device Utilization %"), qint64(0));
            return stats;
        }
    }
    const auto busy = readInteger(m_busy.get());
    if (!busy)
        return std::nullopt;
    stats.insert(QStringLiteral("Device Utilization %"), *busy);
    const auto vram = readInteger(m_vramUsed.get());
    const auto gtt = readInteger(m_gttUsed.get());
    if ((vram && *vram >= 0) || (gtt && *gtt >= 0))
        stats.insert(QStringLiteral("Alloc system memory"),
                     qulonglong(std::max<qint64>(vram.value_or(0), 0)) +
                         qulonglong(std::max<qint64>(gtt.value_or(0), 0)));
    return stats;
}

void LinuxGpuRegistry::release()
{
    m_busy.reset();
    m_vramUsed.reset();
    m_gttUsed.reset();
    m_powerState.reset();
    if (m_nvml)
        m_nvml->releaseDevice();
    m_usingNvml = false;
}

} // namespace corvanite

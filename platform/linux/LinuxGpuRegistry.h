// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/GpuRegistry.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace corvanite {

class NvmlLibrary;
class ProcFile;

// The accelerator on Linux: the first amdgpu card under `root` (gpu_busy_percent, VRAM and GTT
// in use, compute units from the compute driver's topology when exposed), else the first NVIDIA
// device through NVML. The amdgpu files are kept open between passes. A card in runtime sleep
// (a hybrid laptop's idle discrete GPU) is reported idle without touching it: reading its
// statistics would wake it.
class LinuxGpuRegistry final : public GpuRegistry {
public:
    explicit LinuxGpuRegistry(QString root = QStringLiteral("/"),
                              QByteArray nvmlLibrary = QByteArrayLiteral("libnvidia-ml.so.1"));
    ~LinuxGpuRegistry() override;

    bool lookup() override;
    std::optional<QVariant> searchCoreCount() override;
    std::optional<QVariantMap> performanceStatistics() override;
    void release() override;

private:
    std::optional<qint64> readInteger(ProcFile* file);

    const QString m_root;
    const QByteArray m_nvmlLibrary;
    std::unique_ptr<ProcFile> m_busy;
    std::unique_ptr<ProcFile> m_vramUsed;
    std::unique_ptr<ProcFile> m_gttUsed;
    std::unique_ptr<ProcFile> m_powerState;
    std::unique_ptr<NvmlLibrary> m_nvml; // kept loaded across lookups
    bool m_usingNvml = false;
};

} // namespace corvanite

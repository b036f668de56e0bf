// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/DeviceSources.h"
#include "platform/GpuRegistry.h"

#include <memory>

namespace corvanite {

// The accelerator's utilisation and allocated memory. The entry is looked up once and kept; it
// is let go after a failed statistics read so the next heavy pass looks it up afresh, along with
// its core count (read only at a lookup).
class GPUReader final : public GpuSource {
public:
    explicit GPUReader(std::unique_ptr<GpuRegistry> registry);
    std::optional<GPUSample> read() override;

private:
    std::unique_ptr<GpuRegistry> m_registry;
    bool m_service = false;
    std::optional<int> m_cachedCoreCount;
};

} // namespace corvanite

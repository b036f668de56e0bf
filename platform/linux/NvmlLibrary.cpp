// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/NvmlLibrary.h"

#include <dlfcn.h>

namespace corvanite {

namespace {

// The library's own layouts (nvml.h); only what is read here.
using nvmlReturn_t = int;
using nvmlDevice_t = void*;
constexpr nvmlReturn_t NVML_SUCCESS = 0;
struct nvmlUtilization_t {
    unsigned int gpu;
    unsigned int memory;
};
struct nvmlMemory_t {
    unsigned long long total;
    unsigned long long free;
    unsigned long long used;
};

} // namespace

struct NvmlLibrary::Api {
    nvmlReturn_t (*init)() = nullptr;
    nvmlReturn_t (*shutdown)() = nullptr;
    nvmlReturn_t (*deviceByIndex)(unsigned int, nvmlDevice_t*) = nullptr;
    nvmlReturn_t (*utilization)(nvmlDevice_t, nvmlUtilization_t*) = nullptr;
    nvmlReturn_t (*memory)(nvmlDevice_t, nvmlMemory_t*) = nullptr;
    nvmlReturn_t (*cores)(nvmlDevice_t, unsigned int*) = nullptr; // newer drivers only
};

NvmlLibrary::NvmlLibrary(QByteArray soname)
    : m_soname(std::move(soname))
{
}

NvmlLibrary::~NvmlLibrary()
{
    close();
}

bool NvmlLibrary::open()
{
    if (m_device)
        return true;
    if (!m_handle) {
        if (m_missing)
            return false;
        m_handle = ::dlopen(m_soname.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle) {
            m_missing = true;
            return false;
        }
        m_api = new Api;
        const auto bind = [this](auto& slot, const char* name) {
            slot =
                reinterpret_cast<std::remove_reference_t<decltype(slot)>>(::dlsym(m_handle, name));
        };
        bind(m_api->init, "nvmlInit_v2");
        bind(m_api->shutdown, "nvmlShutdown");
        bind(m_api->deviceByIndex, "nvmlDeviceGetHandleByIndex_v2");
        bind(m_api->utilization, "nvmlDeviceGetUtilizationRates");
        bind(m_api->memory, "nvmlDeviceGetMemoryInfo");
        bind(m_api->cores, "nvmlDeviceGetNumGpuCores");
    }
    if (!m_api->init || !m_api->shutdown || !m_api->deviceByIndex || !m_api->utilization) {
        close();
        return false;
    }
    if (!m_initialised) {
        if (m_api->init() != NVML_SUCCESS) {
            close();
            return false;
        }
        m_initialised = true;
    }
    nvmlDevice_t device = nullptr;
    if (m_api->deviceByIndex(0, &device) != NVML_SUCCESS || !device)
        return false;
    m_device = device;
    return true;
}

std::optional<NvmlLibrary::Reading> NvmlLibrary::read()
{
    if (!m_device)
        return std::nullopt;
    nvmlUtilization_t utilization{};
    if (m_api->utilization(m_device, &utilization) != NVML_SUCCESS)
        return std::nullopt;
    Reading reading;
    reading.gpuPercent = utilization.gpu;
    nvmlMemory_t memory{};
    if (m_api->memory && m_api->memory(m_device, &memory) == NVML_SUCCESS)
        reading.memoryUsed = memory.used;
    return reading;
}

std::optional<unsigned int> NvmlLibrary::coreCount()
{
    unsigned int cores = 0;
    if (!m_device || !m_api->cores || m_api->cores(m_device, &cores) != NVML_SUCCESS || cores == 0)
        return std::nullopt;
    return cores;
}

void NvmlLibrary::close()
{
    m_device = nullptr;
    if (m_initialised && m_api && m_api->shutdown)
        m_api->shutdown();
    m_initialised = false;
    delete m_api;
    m_api = nullptr;
    if (m_handle)
        ::dlclose(m_handle);
    m_handle = nullptr;
}

} // namespace corvanite

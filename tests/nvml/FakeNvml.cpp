// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for NVIDIA's management library with the few entry points the GPU reading uses.
// FAKE_NVML_MODE picks its behaviour: "init-fails", "no-device", "util-fails", or anything else
// for a device at 63 % with 2 GiB in use and 3072 cores.

#include <cstdlib>
#include <cstring>

namespace {

const char* mode()
{
    const char* m = std::getenv("FAKE_NVML_MODE");
    return m ? m : "";
}

bool is(const char* m)
{
    return std::strcmp(mode(), m) == 0;
}

int s_device;

} // namespace

extern "C" {

struct FakeUtilization {
    unsigned int gpu;
    unsigned int memory;
};
struct FakeMemory {
    unsigned long long total;
    unsigned long long free;
    unsigned long long used;
};

__attribute__((visibility("default"))) int nvmlInit_v2()
{
    return is("init-fails") ? 9 /* driver not loaded */ : 0;
}
__attribute__((visibility("default"))) int nvmlShutdown()
{
    return 0;
}
__attribute__((visibility("default"))) int nvmlDeviceGetHandleByIndex_v2(unsigned int index,
                                                                         void** device)
{
    if (is("no-device") || index != 0)
        return 2;
    *device = &s_device;
    return 0;
}
__attribute__((visibility("default"))) int nvmlDeviceGetUtilizationRates(void*, FakeUtilization* u)
{
    if (is("util-fails"))
        return 999;
    u->gpu = 63;
    u->memory = 20;
    return 0;
}
__attribute__((visibility("default"))) int nvmlDeviceGetMemoryInfo(void*, FakeMemory* m)
{
    m->total = 8ull << 30;
    m->used = 2ull << 30;
    m->free = m->total - m->used;
    return 0;
}
__attribute__((visibility("default"))) int nvmlDeviceGetNumGpuCores(void*, unsigned int* cores)
{
    *cores = 3072;
    return 0;
}
}

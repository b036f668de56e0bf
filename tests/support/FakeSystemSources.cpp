// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FakeSystemSources.h"

namespace corvanite::test {

void FakeCpuTicks::holdNextRead()
{
    std::lock_guard lock(m_mutex);
    m_hold = true;
    m_entered = false;
}

void FakeCpuTicks::release()
{
    {
        std::lock_guard lock(m_mutex);
        m_hold = false;
    }
    m_released.notify_all();
}

void FakeCpuTicks::read(CpuTicksReading& into)
{
    {
        std::unique_lock lock(m_mutex);
        if (m_hold) {
            m_entered = true;
            m_released.wait(lock, [this] { return !m_hold; });
        }
    }
    ++calls;
    into.host = host;
    into.cores = cores;
}

std::vector<RawProcess> FakeProcessTable::readProcessesRaw(QHash<qint32, QString>& nameCache)
{
    ++calls;
    for (const RawProcess& process : processes) {
        if (!nameCache.contains(process.pid))
            nameCache.insert(process.pid, process.name);
    }
    std::vector<RawProcess> result = processes;
    for (RawProcess& process : result)
        process.name = nameCache.value(process.pid);
    return result;
}

FakeSystem::FakeSystem()
{
    auto take = [](auto& member, auto*& pointer) {
        using Fake = std::remove_pointer_t<std::remove_reference_t<decltype(pointer)>>;
        auto owned = std::make_unique<Fake>();
        pointer = owned.get();
        member = std::move(owned);
    };
    take(m_bundle.cpu, cpu);
    take(m_bundle.memory, memory);
    take(m_bundle.network, network);
    take(m_bundle.volume, volume);
    take(m_bundle.bootTime, bootTime);
    take(m_bundle.processes, processes);
    take(m_bundle.sensors, sensors);
    take(m_bundle.gpu, gpu);
    take(m_bundle.battery, battery);
    take(m_bundle.assertions, assertions);
    take(m_bundle.energy, energy);
    take(m_bundle.pressure, pressure);
}

SystemSources FakeSystem::sources()
{
    return std::move(m_bundle);
}

} // namespace corvanite::test

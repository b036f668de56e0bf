// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelReadings.h"

#include "app/sampling/Monitor.h"

#include <QTimer>

namespace corvanite {

namespace {

// The engine announces every assignment, also of an unchanged reading; only a real change
// is worth a repaint.
template <typename T> bool assign(T& target, const T& value)
{
    if (target == value)
        return false;
    target = value;
    return true;
}

} // namespace

PanelReadings::PanelReadings(QObject* parent)
    : QObject(parent)
{
}

void PanelReadings::setValues(const Values& values)
{
    m_values = values;
    m_pending = Parts(0xff);
    flush();
}

void PanelReadings::setValues(const Values& values, Parts parts)
{
    m_values = values;
    m_pending |= parts;
    flush();
}

void PanelReadings::mark(Part part)
{
    m_pending |= part;
    if (m_flushQueued)
        return;
    // One tick publishes a dozen readings in a row; the views hear about them once.
    m_flushQueued = true;
    QTimer::singleShot(0, this, &PanelReadings::flush);
}

void PanelReadings::flush()
{
    m_flushQueued = false;
    const Parts parts = m_pending;
    m_pending = {};
    if (parts)
        Q_EMIT changed(parts);
}

void PanelReadings::follow(Monitor& monitor)
{
    Values& v = m_values;
    Monitor* m = &monitor;
    v.cpu = m->cpu();
    v.cpuHistory = m->cpuHistory();
    v.gpu = m->gpu();
    v.gpuHistory = m->gpuHistory();
    v.memory = m->memory();
    v.memHistory = m->memHistory();
    v.network = m->network();
    v.downHistory = m->downHistory();
    v.upHistory = m->upHistory();
    v.thermal = m->thermal();
    v.tempHistory = m->tempHistory();
    v.fans = m->fans();
    v.battery = m->battery();
    v.processes = m->processes();
    v.energyRows = m->energyRows();
    v.diskFreeBytes = m->diskFreeBytes();
    v.diskTotalBytes = m->diskTotalBytes();
    v.uptime = m->uptime();
    v.refreshInterval = m->refreshInterval();

    connect(m, &Monitor::cpuChanged, this, [this, m] {
        m_values.cpu = m->cpu();
        m_values.uptime = m->uptime();
        m_values.refreshInterval = m->refreshInterval();
        // Every tick moves the header's clock and the footer's uptime.
        mark(Part::Cpu);
        mark(Part::Footer);
    });
    connect(m, &Monitor::cpuHistoryChanged, this, [this, m] {
        if (assign(m_values.cpuHistory, m->cpuHistory()))
            mark(Part::Cpu);
    });
    connect(m, &Monitor::gpuChanged, this, [this, m] {
        if (assign(m_values.gpu, m->gpu()))
            mark(Part::Gpu);
    });
    connect(m, &Monitor::gpuHistoryChanged, this, [this, m] {
        if (assign(m_values.gpuHistory, m->gpuHistory()))
            mark(Part::Gpu);
    });
    connect(m, &Monitor::memoryChanged, this, [this, m] {
        if (assign(m_values.memory, m->memory()))
            mark(Part::Memory);
    });
    connect(m, &Monitor::memHistoryChanged, this, [this, m] {
        if (assign(m_values.memHistory, m->memHistory()))
            mark(Part::Memory);
    });
    connect(m, &Monitor::networkChanged, this, [this, m] {
        if (assign(m_values.network, m->network()))
            mark(Part::Network);
    });
    connect(m, &Monitor::downHistoryChanged, this, [this, m] {
        if (assign(m_values.downHistory, m->downHistory()))
            mark(Part::Network);
    });
    connect(m, &Monitor::upHistoryChanged, this, [this, m] {
        if (assign(m_values.upHistory, m->upHistory()))
            mark(Part::Network);
    });
    connect(m, &Monitor::thermalChanged, this, [this, m] {
        if (assign(m_values.thermal, m->thermal()))
            mark(Part::Thermal);
    });
    connect(m, &Monitor::tempHistoryChanged, this, [this, m] {
        if (assign(m_values.tempHistory, m->tempHistory()))
            mark(Part::Thermal);
    });
    connect(m, &Monitor::fansChanged, this, [this, m] {
        if (assign(m_values.fans, m->fans()))
            mark(Part::Thermal);
    });
    connect(m, &Monitor::batteryChanged, this, [this, m] {
        if (assign(m_values.battery, m->battery()))
            mark(Part::Power);
    });
    connect(m, &Monitor::processesChanged, this, [this, m] {
        if (assign(m_values.processes, m->processes()))
            mark(Part::Processes);
    });
    connect(m, &Monitor::energyRowsChanged, this, [this, m] {
        if (assign(m_values.energyRows, m->energyRows()))
            mark(Part::Processes);
    });
    connect(m, &Monitor::diskFreeBytesChanged, this, [this, m] {
        if (assign(m_values.diskFreeBytes, m->diskFreeBytes()))
            mark(Part::Footer);
    });
    connect(m, &Monitor::diskTotalBytesChanged, this, [this, m] {
        if (assign(m_values.diskTotalBytes, m->diskTotalBytes()))
            mark(Part::Footer);
    });
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <QFlags>
#include <QList>
#include <QObject>

#include <optional>

namespace corvanite {

class Monitor;

// What the panels draw, gathered from the sampling engine's published readings. The engine
// announces each reading separately; this collects one tick's announcements and tells the
// views once, with the parts that changed, so each section repaints only for its own readings.
class PanelReadings : public QObject {
    Q_OBJECT
public:
    enum class Part {
        Cpu = 0x1,
        Gpu = 0x2,
        Memory = 0x4,
        Network = 0x8,
        Thermal = 0x10,
        Power = 0x20,
        Processes = 0x40,
        Footer = 0x80,
    };
    Q_DECLARE_FLAGS(Parts, Part)

    struct Values {
        CPUSample cpu;
        QList<double> cpuHistory;
        std::optional<GPUSample> gpu;
        QList<double> gpuHistory;
        MemorySample memory;
        QList<double> memHistory;
        NetSample network;
        QList<double> downHistory;
        QList<double> upHistory;
        ThermalSample thermal;
        QList<double> tempHistory;
        QList<double> fans;
        BatterySample battery;
        QList<ProcessSample> processes;
        QList<ProcessSample> energyRows;
        quint64 diskFreeBytes = 0;
        quint64 diskTotalBytes = 0;
        double uptime = 0;
        double refreshInterval = 2;
    };

    explicit PanelReadings(QObject* parent = nullptr);

    const Values& values() const { return m_values; }
    // Replaces the readings at once (a recorded snapshot, a test) and announces every part.
    void setValues(const Values& values);
    // Replaces the readings and announces only `parts`, as a tick that changed only those.
    void setValues(const Values& values, Parts parts);
    // Takes the engine's current readings and follows its announcements from now on.
    void follow(Monitor& monitor);

Q_SIGNALS:
    void changed(corvanite::PanelReadings::Parts parts);

private:
    void mark(Part part);
    void flush();

    Values m_values;
    Parts m_pending;
    bool m_flushQueued = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PanelReadings::Parts)

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/MonitorPolicy.h"
#include "app/sampling/Samples.h"
#include "app/sampling/SnapshotBuilder.h"
#include "app/sampling/SystemSources.h"
#include "app/sampling/TickConsumers.h"

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace corvanite {

class Clock;

// The sampling engine. On a repeating timer it runs one pass on its own worker thread, which
// reads the machine into a Snapshot; the snapshot comes back to the main thread, where the
// engine publishes its readings and tells the rest of the application about them in a fixed
// order (the tick fan-out, see apply()).
//
// It samples only as much as someone is looking at: while the panel is closed, passes are light
// (CPU, memory, network; processes and temperatures only on request) and, with the status item
// showing only its icon and alerts off, at most every 10 seconds. At most one pass is in flight;
// a tick that finds one running is dropped.
//
// Every public function and every property belongs to the main thread.
class Monitor : public QObject {
    Q_OBJECT
    Q_PROPERTY(corvanite::CPUSample cpu READ cpu NOTIFY cpuChanged)
    Q_PROPERTY(corvanite::MemorySample memory READ memory NOTIFY memoryChanged)
    Q_PROPERTY(corvanite::NetSample network READ network NOTIFY networkChanged)
    Q_PROPERTY(QList<corvanite::ProcessSample> processes READ processes NOTIFY processesChanged)
    Q_PROPERTY(quint64 diskFreeBytes READ diskFreeBytes NOTIFY diskFreeBytesChanged)
    Q_PROPERTY(quint64 diskTotalBytes READ diskTotalBytes NOTIFY diskTotalBytesChanged)
    Q_PROPERTY(QList<double> fans READ fans NOTIFY fansChanged)
    Q_PROPERTY(corvanite::ThermalSample thermal READ thermal NOTIFY thermalChanged)
    Q_PROPERTY(corvanite::BatterySample battery READ battery NOTIFY batteryChanged)
    Q_PROPERTY(std::optional<corvanite::GPUSample> gpu READ gpu NOTIFY gpuChanged)
    Q_PROPERTY(QList<double> gpuHistory READ gpuHistory NOTIFY gpuHistoryChanged)
    Q_PROPERTY(QList<corvanite::ProcessSample> energyRows READ energyRows NOTIFY energyRowsChanged)
    Q_PROPERTY(QList<double> cpuHistory READ cpuHistory NOTIFY cpuHistoryChanged)
    Q_PROPERTY(QList<double> memHistory READ memHistory NOTIFY memHistoryChanged)
    Q_PROPERTY(QList<double> downHistory READ downHistory NOTIFY downHistoryChanged)
    Q_PROPERTY(QList<double> upHistory READ upHistory NOTIFY upHistoryChanged)
    Q_PROPERTY(QList<double> tempHistory READ tempHistory NOTIFY tempHistoryChanged)
    Q_PROPERTY(std::optional<corvanite::PressureLevel> memoryPressure READ memoryPressure NOTIFY
                   memoryPressureChanged)

public:
    static constexpr double kDefaultInterval = 2.0;
    static constexpr double kIdleInterval = 10.0;
    static constexpr qsizetype kHistoryLength = 90;
    static constexpr qint64 kProcessScanParity = 2;
    // A timer period below this would keep the main thread busy for no visible gain.
    static constexpr double kMinimumInterval = 0.25;

    Monitor(SystemSources sources, const Clock& clock, MonitorPolicy policy,
            QObject* parent = nullptr);
    // Stops the timer and the worker thread; a pass in flight finishes first, its result is
    // dropped.
    ~Monitor() override;

    // The engine reading this machine, built by the application on first use and kept for the
    // life of the process.
    static Monitor& shared();

    // Sets the user's interval, reads the boot time, schedules the timer and takes a pass at once.
    // An interval below kMinimumInterval is raised to it; one that is not a number is the default.
    void start(double interval = kDefaultInterval);
    // Does what start() does, unless the interval differs by 0.01 s or less from the current one.
    void setInterval(double interval);
    // True while the panel is closed. Un-pausing forces an immediate heavy pass that scans
    // processes; both directions reschedule the timer at the new effective interval.
    void setPublishingPaused(bool paused);
    bool isPublishingPaused() const { return m_publishingPaused; }
    // Reschedules the timer after a setting that feeds the effective interval changed.
    void applyEffectiveInterval();
    double effectiveInterval() const;
    double refreshInterval() const { return m_refreshInterval; }
    // Drops the timer. sample() still works when called directly.
    void stop();
    // One tick: the timer's action.
    void sample();
    // Seconds since boot; 0 when the boot time could not be read.
    double uptime() const;
    // Called on every applied pass, right after CPU, memory and network are published.
    // Replaces the questions the engine asks about the rest of the application; the terminal
    // status line, for one, always shows numbers, so the idle stretch must not apply there.
    void setPolicy(MonitorPolicy policy);
    void setOnTick(std::function<void()> onTick) { m_onTick = std::move(onTick); }
    // The analysis and process-control consumers of each applied pass.
    void setTickConsumers(TickConsumers consumers) { m_consumers = std::move(consumers); }
    // Ends the worker thread; a pass in flight finishes first. Called once, at quit.
    void stopWorker();

    // Appends `value` and keeps only the last `maxCount` values.
    static void appendHistory(QList<double>& history, double value,
                              qsizetype maxCount = kHistoryLength);

    // The process table of the last pass that scanned one, also while the panel is closed and
    // nothing is published.
    const QList<ProcessSample>& lastProcesses() const { return m_lastProcesses; }

    bool isSampling() const { return m_isSampling; }
    qint64 cycle() const { return m_cycle; }
    qint64 tickCount() const { return m_tickCount; }

    CPUSample cpu() const { return m_cpu; }
    MemorySample memory() const { return m_memory; }
    NetSample network() const { return m_network; }
    QList<ProcessSample> processes() const { return m_processes; }
    quint64 diskFreeBytes() const { return m_diskFreeBytes; }
    quint64 diskTotalBytes() const { return m_diskTotalBytes; }
    QList<double> fans() const { return m_fans; }
    ThermalSample thermal() const { return m_thermal; }
    BatterySample battery() const { return m_battery; }
    std::optional<GPUSample> gpu() const { return m_gpu; }
    QList<double> gpuHistory() const { return m_gpuHistory; }
    // The latest pass's memory-pressure level, published on every pass (panel open or not).
    std::optional<PressureLevel> memoryPressure() const { return m_memoryPressure; }
    QList<ProcessSample> energyRows() const { return m_energyRows; }
    QList<double> cpuHistory() const { return m_cpuHistory; }
    QList<double> memHistory() const { return m_memHistory; }
    QList<double> downHistory() const { return m_downHistory; }
    QList<double> upHistory() const { return m_upHistory; }
    QList<double> tempHistory() const { return m_tempHistory; }

Q_SIGNALS:
    void cpuChanged();
    void memoryChanged();
    void networkChanged();
    void processesChanged();
    void diskFreeBytesChanged();
    void diskTotalBytesChanged();
    void fansChanged();
    void thermalChanged();
    void batteryChanged();
    void gpuChanged();
    void gpuHistoryChanged();
    void memoryPressureChanged();
    void energyRowsChanged();
    void cpuHistoryChanged();
    void memHistoryChanged();
    void downHistoryChanged();
    void upHistoryChanged();
    void tempHistoryChanged();

private:
    void schedule();
    PassFlags decideFlags();
    void apply(const Snapshot& snapshot);

    SystemSources m_sources;
    const Clock& m_clock;
    MonitorPolicy m_policy;
    SnapshotBuilder m_builder; // worker thread only

    QThread m_thread;
    std::unique_ptr<QObject> m_worker; // lives on m_thread; passes are posted to it
    std::unique_ptr<QTimer> m_timer;

    std::function<void()> m_onTick;
    TickConsumers m_consumers;
    double m_refreshInterval = kDefaultInterval;
    std::optional<double> m_bootDate; // absolute seconds
    bool m_isSampling = false;
    qint64 m_cycle = 0;
    qint64 m_tickCount = 0;
    bool m_publishingPaused = true;
    bool m_forceProcessScan = false;
    bool m_passAfterInFlight = false;
    QList<ProcessSample> m_lastProcesses;

    CPUSample m_cpu;
    MemorySample m_memory;
    NetSample m_network;
    QList<ProcessSample> m_processes;
    quint64 m_diskFreeBytes = 0;
    quint64 m_diskTotalBytes = 0;
    QList<double> m_fans;
    ThermalSample m_thermal;
    BatterySample m_battery;
    std::optional<GPUSample> m_gpu;
    QList<double> m_gpuHistory;
    std::optional<PressureLevel> m_memoryPressure;
    QList<ProcessSample> m_energyRows;
    QList<double> m_cpuHistory;
    QList<double> m_memHistory;
    QList<double> m_downHistory;
    QList<double> m_upHistory;
    QList<double> m_tempHistory;
};

} // namespace corvanite

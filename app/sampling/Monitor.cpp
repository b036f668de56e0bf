// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/Monitor.h"

#include "app/base/Log.h"
#include "app/sampling/MonitorLog.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QTimer>

#include <cmath>
#include <utility>

namespace corvanite {

namespace {

bool ask(const std::function<bool()>& question)
{
    return question && question();
}

} // namespace

Monitor::Monitor(SystemSources sources, const Clock& clock, MonitorPolicy policy, QObject* parent)
    : QObject(parent)
    , m_sources(std::move(sources))
    , m_clock(clock)
    , m_policy(std::move(policy))
    , m_builder(m_sources, m_clock)
    , m_worker(std::make_unique<QObject>())
{
    registerSampleMetaTypes();
    m_sources.fillMissingWithEmpty();
    m_thread.setObjectName(QStringLiteral("com.corvanite.app.monitor"));
    m_worker->moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
}

Monitor::~Monitor()
{
    stop();
    stopWorker();
}

void Monitor::stopWorker()
{
    // quit() takes effect once the worker is back in its event loop, so a pass already running
    // completes; its snapshot is posted to this object and discarded with it.
    m_thread.quit();
    m_thread.wait();
}

void Monitor::start(double interval)
{
    // Settings only ever hand over sane values; anything else must not spin the main thread.
    m_refreshInterval =
        std::isfinite(interval) ? std::max(interval, kMinimumInterval) : kDefaultInterval;
    if (const std::optional<double> boot = m_sources.bootTime->readBootTime())
        m_bootDate = *boot - kUnixToAbsolute;
    else
        m_bootDate.reset();
    schedule();
    sample();
}

void Monitor::setInterval(double interval)
{
    if (std::abs(interval - m_refreshInterval) > 0.01)
        start(interval);
}

void Monitor::setPublishingPaused(bool paused)
{
    if (paused == m_publishingPaused)
        return;
    m_publishingPaused = paused;
    if (m_timer)
        schedule();
    // A pass already in flight was decided for a closed panel and carries no fresh table: the
    // opened panel gets its scanning pass as soon as that one is applied, not a tick later.
    m_passAfterInFlight = !paused && m_isSampling;
    if (!paused) {
        m_forceProcessScan = true;
        sample();
    }
}

void Monitor::applyEffectiveInterval()
{
    if (m_timer)
        schedule();
}

void Monitor::setPolicy(MonitorPolicy policy)
{
    m_policy = std::move(policy);
    applyEffectiveInterval();
}

double Monitor::effectiveInterval() const
{
    if (m_publishingPaused && ask(m_policy.iconOnlyMenuBar) && !ask(m_policy.alertsEnabled))
        return std::max(m_refreshInterval, kIdleInterval);
    return m_refreshInterval;
}

void Monitor::schedule()
{
    if (!m_timer) {
        m_timer = std::make_unique<QTimer>(this);
        m_timer->setObjectName(QStringLiteral("samplingTimer"));
        connect(m_timer.get(), &QTimer::timeout, this, &Monitor::sample);
    }
    // A day at most keeps the period within the timer's millisecond range.
    const double seconds = std::min(effectiveInterval(), 86400.0);
    m_timer->start(static_cast<int>(std::lround(seconds * 1000.0)));
}

void Monitor::stop()
{
    m_timer.reset();
}

double Monitor::uptime() const
{
    return m_bootDate ? m_clock.now() - *m_bootDate : 0.0;
}

void Monitor::appendHistory(QList<double>& history, double value, qsizetype maxCount)
{
    history.append(value);
    if (history.size() > maxCount)
        history.remove(0, history.size() - std::max<qsizetype>(maxCount, 0));
}

PassFlags Monitor::decideFlags()
{
    PassFlags flags;
    if (m_publishingPaused) {
        flags.scanProcesses = ask(m_policy.wantsProcessScan);
        flags.collectTemp = ask(m_policy.alertsEnabled) || ask(m_policy.wantsTempSample);
        flags.heavySampling = false;
    } else {
        flags.scanProcesses = m_cycle % kProcessScanParity == 1 || m_forceProcessScan;
        flags.collectTemp = true;
        flags.heavySampling = true;
    }
    m_forceProcessScan = false;
    flags.collectAssertions = flags.scanProcesses;
    return flags;
}

void Monitor::sample()
{
    if (m_isSampling || !m_thread.isRunning())
        return;
    m_isSampling = true;
    ++m_cycle;
    const PassFlags flags = decideFlags();
    const double startedAt = m_clock.monotonic();
    const qint64 cycle = m_cycle;
    // The last scanned table goes to the pass by value, so the two threads never share it.
    QMetaObject::invokeMethod(
        m_worker.get(),
        [this, flags, cycle, startedAt, lastProcesses = m_lastProcesses] {
            const Snapshot snapshot = m_builder.build(flags, lastProcesses);
            if (MonitorLog::logsDuration(cycle)) {
                Log::verbose([&] {
                    return MonitorLog::sampleDuration((m_clock.monotonic() - startedAt) * 1000.0,
                                                      flags.scanProcesses);
                });
            }
            QMetaObject::invokeMethod(
                this,
                [this, snapshot] {
                    m_isSampling = false;
                    apply(snapshot);
                    if (std::exchange(m_passAfterInFlight, false))
                        sample();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

// The tick fan-out: every consumer of a new snapshot is called from here, in this order.
void Monitor::apply(const Snapshot& s)
{
    m_lastProcesses = s.processes;

    m_cpu = s.cpu;
    Q_EMIT cpuChanged();
    m_memory = s.memory;
    Q_EMIT memoryChanged();
    m_network = s.network;
    Q_EMIT networkChanged();

    if (m_onTick)
        m_onTick();

    const double memPct = s.memory.usageFraction() * 100.0;
    if (m_consumers.evaluateAlerts)
        m_consumers.evaluateAlerts(s.cpu.total, memPct, s.thermal.cpuC);
    if (m_consumers.recordHistory)
        m_consumers.recordHistory(s.cpu.total, memPct, s.tempFresh ? s.thermal.cpuC : std::nullopt);
    if (s.processesScanned) {
        if (m_consumers.reconcilePausedGroups)
            m_consumers.reconcilePausedGroups();
        if (m_consumers.ingestInsights)
            m_consumers.ingestInsights(s.processes, s.assertions);
        if (m_consumers.recordPins)
            m_consumers.recordPins(s.processes);
    }

    if (s.memoryPressure) {
        if (m_memoryPressure != s.memoryPressure) {
            m_memoryPressure = s.memoryPressure;
            Q_EMIT memoryPressureChanged();
        }
        if (m_consumers.memoryPressure)
            m_consumers.memoryPressure(*s.memoryPressure);
    }

    if (m_publishingPaused)
        return;

    ++m_tickCount;
    if (MonitorLog::logsTick(m_tickCount)) {
        Log::verbose([&] {
            return MonitorLog::tick(m_tickCount, s.cpu.total, s.processes.size(),
                                    s.network.downBps);
        });
    }

    m_processes = s.processes;
    Q_EMIT processesChanged();
    m_diskFreeBytes = s.diskFree;
    Q_EMIT diskFreeBytesChanged();
    m_diskTotalBytes = s.diskTotal;
    Q_EMIT diskTotalBytesChanged();
    m_fans = s.fans;
    Q_EMIT fansChanged();
    m_thermal = s.thermal;
    Q_EMIT thermalChanged();
    m_battery = s.battery;
    Q_EMIT batteryChanged();

    if (s.gpuCollected) {
        m_gpu = s.gpu;
        Q_EMIT gpuChanged();
        if (s.gpu) {
            appendHistory(m_gpuHistory, s.gpu->deviceUtil);
            Q_EMIT gpuHistoryChanged();
        }
    }
    if (s.processesScanned) {
        m_energyRows = s.energyRows;
        Q_EMIT energyRowsChanged();
    }

    appendHistory(m_cpuHistory, s.cpu.total);
    Q_EMIT cpuHistoryChanged();
    appendHistory(m_memHistory, s.memory.usageFraction() * 100.0);
    Q_EMIT memHistoryChanged();
    appendHistory(m_downHistory, s.network.downBps / 1024.0);
    Q_EMIT downHistoryChanged();
    appendHistory(m_upHistory, s.network.upBps / 1024.0);
    Q_EMIT upHistoryChanged();
    if (s.thermal.cpuC) {
        appendHistory(m_tempHistory, *s.thermal.cpuC);
        Q_EMIT tempHistoryChanged();
    }

    if (m_consumers.pruneIcons)
        m_consumers.pruneIcons(s.livePids);
}

} // namespace corvanite

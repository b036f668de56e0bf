// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/PressureLevel.h"

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace corvanite {

// Whole-machine CPU in percent of all cores (0 to 100), and each logical core's percent in the
// kernel's core order. perCore is empty when there is no previous reading to compare with.
struct CPUSample {
    double total = 0.0;
    QList<double> perCore;

    bool operator==(const CPUSample&) const = default;
};

// Physical memory split into disjoint categories, in bytes.
struct MemorySample {
    quint64 total = 0;
    quint64 app = 0;
    quint64 wired = 0;
    quint64 compressed = 0;
    quint64 cached = 0;
    quint64 free = 0;

    quint64 used() const { return app + wired + compressed; }
    double usageFraction() const
    {
        if (total == 0)
            return 0.0;
        return std::min(static_cast<double>(used()) / static_cast<double>(total), 1.0);
    }

    bool operator==(const MemorySample&) const = default;
};

// Throughput in bytes per second over the interval since the previous pass.
struct NetSample {
    double downBps = 0.0;
    double upBps = 0.0;

    bool operator==(const NetSample&) const = default;
};

// One process. Energy rows reuse this record: there cpuPercent carries watts and memoryBytes the
// cumulative energy in nanojoules.
struct ProcessSample {
    qint32 pid = 0;
    QString name;
    double cpuPercent = 0.0; // percent of one core; a multi-threaded process can exceed 100
    quint64 memoryBytes = 0; // resident bytes

    qint32 id() const { return pid; }
    bool operator==(const ProcessSample&) const = default;
};

// Temperatures in degrees Celsius; absent means no sensor or no reading.
struct ThermalSample {
    std::optional<double> cpuC;
    std::optional<double> gpuC;
    std::optional<double> batteryC;
    std::optional<double> surfaceC;

    bool operator==(const ThermalSample&) const = default;
};

struct BatterySample {
    std::optional<int> percentage;
    bool isCharging = false;
    bool isCharged = false;
    bool externalConnected = false;
    std::optional<int> cycleCount;
    std::optional<int> healthPercent;
    std::optional<double> powerWatts;

    // The localised one-word state: charging, charged, on external power, or on battery.
    QString statusText() const;
    // The text key statusText() looks up.
    QString statusKey() const;

    bool operator==(const BatterySample&) const = default;
};

struct GPUSample {
    double deviceUtil = 0.0; // percent
    std::optional<double> rendererUtil;
    std::optional<double> tilerUtil;
    std::optional<quint64> allocBytes;
    std::optional<int> coreCount;

    bool operator==(const GPUSample&) const = default;
};

// The readings kept between heavy passes so light passes can still hand out a full snapshot.
struct HeavyCache {
    quint64 diskFree = 0;
    quint64 diskTotal = 0;
    QList<double> fans; // RPM, one per fan
    ThermalSample thermal;
    BatterySample battery;

    bool operator==(const HeavyCache&) const = default;
};

// Sleep-preventing assertion types held per process id.
using AssertionMap = QMap<qint32, QStringList>;

// Everything one sampling pass read. Built once on the sampling thread, then only read.
struct Snapshot {
    CPUSample cpu;
    MemorySample memory;
    NetSample network;
    QList<ProcessSample> processes; // scanned this pass, or the last scanned table carried over
    quint64 diskFree = 0;
    quint64 diskTotal = 0;
    QList<double> fans;
    ThermalSample thermal;
    BatterySample battery;
    std::optional<GPUSample> gpu;
    bool gpuCollected = false;     // a heavy pass: the GPU was asked
    bool tempFresh = false;        // thermal was read in this pass, not taken from the cache
    bool processesScanned = false; // the process table was read in this pass
    std::optional<AssertionMap> assertions;
    // Read on every pass; absent when the kernel reports neither stalls nor memory totals.
    std::optional<PressureLevel> memoryPressure;
    QList<ProcessSample> energyRows;
    QSet<qint32> livePids;
};

// Registers the records with Qt's type system so they travel in properties, variants and
// queued signals. Safe to call more than once.
void registerSampleMetaTypes();

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::CPUSample)
Q_DECLARE_METATYPE(corvanite::MemorySample)
Q_DECLARE_METATYPE(corvanite::NetSample)
Q_DECLARE_METATYPE(corvanite::ProcessSample)
Q_DECLARE_METATYPE(corvanite::ThermalSample)
Q_DECLARE_METATYPE(corvanite::BatterySample)
Q_DECLARE_METATYPE(corvanite::GPUSample)
Q_DECLARE_METATYPE(std::optional<corvanite::GPUSample>)
Q_DECLARE_METATYPE(corvanite::HeavyCache)
Q_DECLARE_METATYPE(corvanite::Snapshot)

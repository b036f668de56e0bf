// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SnapshotJson.h"

#include <QJsonArray>

namespace corvanite::SnapshotJson {

namespace {

template <typename T> QJsonValue orNull(const std::optional<T>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

// JSON numbers are doubles: byte counts stay exact up to 2^53, far beyond any machine's memory.
QJsonValue bytes(quint64 value)
{
    return QJsonValue(static_cast<double>(value));
}

QJsonArray numbers(const QList<double>& values)
{
    QJsonArray array;
    for (double value : values)
        array.append(value);
    return array;
}

QJsonArray processRows(const QList<ProcessSample>& processes, const char* cpuKey,
                       const char* amountKey)
{
    QJsonArray rows;
    for (const ProcessSample& p : processes) {
        rows.append(QJsonObject{{QStringLiteral("pid"), p.pid},
                                {QStringLiteral("name"), p.name},
                                {QLatin1String(cpuKey), p.cpuPercent},
                                {QLatin1String(amountKey), bytes(p.memoryBytes)}});
    }
    return rows;
}

QJsonValue memory(const MemorySample& m)
{
    if (m.total == 0)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("total"), bytes(m.total)},
                       {QStringLiteral("app"), bytes(m.app)},
                       {QStringLiteral("wired"), bytes(m.wired)},
                       {QStringLiteral("compressed"), bytes(m.compressed)},
                       {QStringLiteral("cached"), bytes(m.cached)},
                       {QStringLiteral("free"), bytes(m.free)},
                       {QStringLiteral("used"), bytes(m.used())},
                       {QStringLiteral("usagePercent"), m.usageFraction() * 100.0}};
}

QJsonValue battery(const BatterySample& b)
{
    if (!b.percentage)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("percentage"), orNull(b.percentage)},
                       {QStringLiteral("isCharging"), b.isCharging},
                       {QStringLiteral("isCharged"), b.isCharged},
                       {QStringLiteral("externalConnected"), b.externalConnected},
                       {QStringLiteral("cycleCount"), orNull(b.cycleCount)},
                       {QStringLiteral("healthPercent"), orNull(b.healthPercent)},
                       {QStringLiteral("powerWatts"), orNull(b.powerWatts)}};
}

QJsonValue gpu(const std::optional<GPUSample>& g)
{
    if (!g)
        return QJsonValue::Null;
    return QJsonObject{{QStringLiteral("deviceUtil"), g->deviceUtil},
                       {QStringLiteral("rendererUtil"), orNull(g->rendererUtil)},
                       {QStringLiteral("tilerUtil"), orNull(g->tilerUtil)},
                       {QStringLiteral("allocBytes"),
                        g->allocBytes ? bytes(*g->allocBytes) : QJsonValue(QJsonValue::Null)},
                       {QStringLiteral("coreCount"), orNull(g->coreCount)}};
}

QJsonValue assertions(const std::optional<AssertionMap>& map)
{
    if (!map)
        return QJsonValue::Null;
    QJsonObject byPid;
    for (auto it = map->cbegin(); it != map->cend(); ++it)
        byPid.insert(QString::number(it.key()), QJsonArray::fromStringList(it.value()));
    return byPid;
}

} // namespace

QJsonObject toJson(const Snapshot& s, std::optional<double> uptimeSeconds)
{
    QJsonObject json;
    json.insert(QStringLiteral("cpu"),
                QJsonObject{{QStringLiteral("total"), s.cpu.total},
                            {QStringLiteral("perCore"), numbers(s.cpu.perCore)}});
    json.insert(QStringLiteral("memory"), memory(s.memory));
    json.insert(QStringLiteral("network"),
                QJsonObject{{QStringLiteral("downBps"), s.network.downBps},
                            {QStringLiteral("upBps"), s.network.upBps}});
    json.insert(QStringLiteral("disk"),
                s.diskTotal == 0 ? QJsonValue(QJsonValue::Null)
                                 : QJsonObject{{QStringLiteral("free"), bytes(s.diskFree)},
                                               {QStringLiteral("total"), bytes(s.diskTotal)}});
    json.insert(QStringLiteral("uptime"), orNull(uptimeSeconds));
    json.insert(QStringLiteral("thermal"),
                QJsonObject{{QStringLiteral("cpuC"), orNull(s.thermal.cpuC)},
                            {QStringLiteral("gpuC"), orNull(s.thermal.gpuC)},
                            {QStringLiteral("batteryC"), orNull(s.thermal.batteryC)},
                            {QStringLiteral("surfaceC"), orNull(s.thermal.surfaceC)}});
    json.insert(QStringLiteral("fans"),
                s.fans.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(numbers(s.fans)));
    json.insert(QStringLiteral("gpu"), gpu(s.gpu));
    json.insert(QStringLiteral("battery"), battery(s.battery));
    json.insert(QStringLiteral("sleepBlockers"), assertions(s.assertions));
    json.insert(QStringLiteral("memoryPressure"),
                s.memoryPressure ? QJsonValue(pressureLevelName(*s.memoryPressure))
                                 : QJsonValue(QJsonValue::Null));
    json.insert(QStringLiteral("processes"),
                s.processesScanned
                    ? QJsonValue(processRows(s.processes, "cpuPercent", "memoryBytes"))
                    : QJsonValue(QJsonValue::Null));
    // Energy rows reuse the process record: the percent field carries watts and the byte field
    // the group's cumulative energy in nanojoules.
    json.insert(QStringLiteral("energyRows"),
                s.energyRows.isEmpty()
                    ? QJsonValue(QJsonValue::Null)
                    : QJsonValue(processRows(s.energyRows, "watts", "energyNanojoules")));
    return json;
}

} // namespace corvanite::SnapshotJson

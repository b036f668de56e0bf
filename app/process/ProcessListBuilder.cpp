// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProcessListBuilder.h"

#include "app/analysis/PinStore.h"
#include "app/process/PauseManager.h"

#include <QLocale>

#include <algorithm>

namespace corvanite::ProcessListBuilder {

namespace {

constexpr double kIdleThreshold = 0.05;
constexpr double kFullBarWatts = 20.0;

// Case-insensitive containment under the interface locale's case rules.
bool containsIgnoringCase(const QString& name, const QString& needle, const QLocale& locale)
{
    return locale.toLower(name).contains(locale.toLower(needle));
}

} // namespace

Lookups lookups(const PauseManager& pause, const PinStore& pins)
{
    return Lookups{[&pause](qint32 pid) { return pause.entry(pid).has_value(); },
                   [&pins](const QList<ProcessSample>& list) { return pins.partition(list); }};
}

QList<ProcessSample> build(const QList<ProcessSample>& processes,
                           const QList<ProcessSample>& energyRows, ProcessSortMode sortMode,
                           const QString& search, const Lookups& lookups)
{
    QList<ProcessSample> list = sortMode == ProcessSortMode::Energy ? energyRows : processes;
    if (sortMode == ProcessSortMode::Memory)
        std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return a.memoryBytes > b.memoryBytes;
        });
    else
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return a.cpuPercent > b.cpuPercent; });

    if (sortMode == ProcessSortMode::Cpu && search.isEmpty()) {
        list.removeIf([&](const ProcessSample& p) {
            return p.cpuPercent < kIdleThreshold && !(lookups.isPaused && lookups.isPaused(p.pid));
        });
    }
    if (!search.isEmpty()) {
        const QLocale locale;
        list.removeIf(
            [&](const ProcessSample& p) { return !containsIgnoringCase(p.name, search, locale); });
    }
    return lookups.partition ? lookups.partition(list) : list;
}

QList<RankedProcess> rows(const QList<ProcessSample>& built, int maxRows, ProcessSortMode sortMode)
{
    const qsizetype count = std::clamp<qsizetype>(maxRows, 0, built.size());
    quint64 memoryScale = 0;
    for (qsizetype i = 0; i < count; ++i)
        memoryScale = std::max(memoryScale, built[i].memoryBytes);
    QList<RankedProcess> out;
    out.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const ProcessSample& p = built[i];
        double fraction = 0.0;
        switch (sortMode) {
        case ProcessSortMode::Cpu:
            fraction = std::min(p.cpuPercent, 100.0) / 100.0;
            break;
        case ProcessSortMode::Memory:
            fraction = static_cast<double>(p.memoryBytes) /
                       static_cast<double>(std::max<quint64>(memoryScale, 1));
            break;
        case ProcessSortMode::Energy:
            fraction = std::min(p.cpuPercent / kFullBarWatts, 1.0);
            break;
        }
        out.append(RankedProcess{static_cast<int>(i + 1), p, std::clamp(fraction, 0.0, 1.0)});
    }
    return out;
}

} // namespace corvanite::ProcessListBuilder

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the status item costs on every tick in text mode: composing the line and the compact
// columns, and the item redrawing its image when the figures changed. In icon mode a tick costs
// nothing here. Budget share: the whole application may spend 1 ms of CPU per 2 s tick with the
// panel closed.

#include "app/base/L10n.h"
#include "app/menubar/MenuBarLayout.h"
#include "app/menubar/SniStatusItem.h"
#include "app/menubar/StatusIcon.h"
#include "app/menubar/TrayStatusItem.h"

#include <QApplication>
#include <QDBusConnection>

#include <benchmark/benchmark.h>

using namespace corvanite;

namespace {

const QList<MenuBarMetric> kMetrics{MenuBarMetric::Cpu, MenuBarMetric::Memory,
                                    MenuBarMetric::Network};

void Compose(benchmark::State& state)
{
    double cpu = 0;
    for (auto _ : state) {
        cpu = cpu >= 99 ? 0 : cpu + 1;
        benchmark::DoNotOptimize(
            MenuBarLayout::statusText(cpu, 61, 1.2e6 + cpu, 45e3, kMetrics, false));
        benchmark::DoNotOptimize(
            MenuBarLayout::compactColumns(cpu, 61, 1.2e6 + cpu, 45e3, kMetrics));
    }
}
BENCHMARK(Compose);

// A tick whose figures changed: new label and columns, one redraw of both icon sizes.
template <typename Item> void TickThatChanges(benchmark::State& state, Item& item)
{
    item.setIcon(statusIconSet());
    double cpu = 0;
    for (auto _ : state) {
        cpu = cpu >= 99 ? 0 : cpu + 1;
        item.setLabel(MenuBarLayout::statusText(cpu, 61, 1.2e6, 45e3, kMetrics, false),
                      QStringLiteral("CPU 100%  MEM 100%  ↓888.8M ↑888.8M"));
        item.setCompactColumns(MenuBarLayout::compactColumns(cpu, 61, 1.2e6, 45e3, kMetrics));
    }
}

void SniTick(benchmark::State& state)
{
    SniStatusItem item(QDBusConnection(QStringLiteral("not-connected")));
    TickThatChanges(state, item);
}
BENCHMARK(SniTick);

void TrayTick(benchmark::State& state)
{
    TrayStatusItem item;
    TickThatChanges(state, item);
}
BENCHMARK(TrayTick);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    L10n::shared().setLanguage(AppLanguage::En);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/MenuBarLayout.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"

#include <QScreen>

#include <algorithm>

namespace corvanite {

ScreenFacts screenFacts(const QScreen& screen)
{
    ScreenFacts facts;
    facts.frame = screen.geometry();
    facts.visibleFrame = screen.availableGeometry();
    return facts;
}

namespace MenuBarLayout {

namespace {
bool hasWidth(const std::optional<QRectF>& area)
{
    return area && area->width() > 0;
}
} // namespace

QList<MenuBarMetric> effectiveMetrics(const QList<MenuBarMetric>& metrics)
{
    if (metrics.isEmpty())
        return {MenuBarMetric::Cpu, MenuBarMetric::Memory};
    QList<MenuBarMetric> sorted = metrics;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](MenuBarMetric a, MenuBarMetric b) { return sortIndex(a) < sortIndex(b); });
    return sorted;
}

namespace {

QString percent(double value)
{
    return QString::asprintf("%.0f%%", value);
}

QString compactRates(double downBps, double upBps)
{
    return QStringLiteral("↓") + Format::compactSpeed(downBps) + QStringLiteral(" ↑") +
           Format::compactSpeed(upBps);
}

} // namespace

QString statusText(double cpu, double memPct, double downBps, double upBps,
                   const QList<MenuBarMetric>& metrics, bool compact)
{
    using M = MenuBarMetric;
    const QList<MenuBarMetric> sorted = effectiveMetrics(metrics);
    const bool classic =
        sorted == QList<M>{M::Cpu, M::Memory} || sorted == QList<M>{M::Cpu, M::Memory, M::Network};
    if (!compact && classic) {
        QString text = L(QStringLiteral("menu.statusText"), {cpu, memPct});
        if (sorted.contains(M::Network)) {
            text += QStringLiteral("  ↓") + Format::compactSpeed(downBps) + QStringLiteral(" ↑") +
                    Format::compactSpeed(upBps);
        }
        return text;
    }
    QStringList parts;
    for (MenuBarMetric metric : sorted) {
        switch (metric) {
        case M::Cpu:
            parts.append(compact ? percent(cpu) : L(QStringLiteral("menu.status.cpu"), {cpu}));
            break;
        case M::Memory:
            parts.append(compact ? percent(memPct)
                                 : L(QStringLiteral("menu.status.memory"), {memPct}));
            break;
        case M::Network:
            parts.append(compact ? compactRates(downBps, upBps)
                                 : L(QStringLiteral("menu.status.network"),
                                     {Format::compactSpeed(downBps), Format::compactSpeed(upBps)}));
            break;
        }
    }
    return parts.join(compact ? QStringLiteral(" ") : QStringLiteral("  "));
}

QList<QStringList> compactColumns(double cpu, double memPct, double downBps, double upBps,
                                  const QList<MenuBarMetric>& metrics)
{
    QStringList percentages;
    QStringList rates;
    for (MenuBarMetric metric : effectiveMetrics(metrics)) {
        switch (metric) {
        case MenuBarMetric::Cpu:
            percentages.append(percent(cpu));
            break;
        case MenuBarMetric::Memory:
            percentages.append(percent(memPct));
            break;
        case MenuBarMetric::Network:
            if (rates.isEmpty()) {
                rates.append(QStringLiteral("↓") + Format::compactSpeed(downBps));
                rates.append(QStringLiteral("↑") + Format::compactSpeed(upBps));
            }
            break;
        }
    }
    QList<QStringList> columns;
    // Duplicated metrics would stack more than two lines; an icon has room for two.
    if (!percentages.isEmpty())
        columns.append(percentages.mid(0, 2));
    if (!rates.isEmpty())
        columns.append(rates);
    return columns;
}

bool screenHasNotch(const std::optional<ScreenFacts>& screen)
{
    if (!screen)
        return false;
    if (hasWidth(screen->auxiliaryTopLeftArea) && hasWidth(screen->auxiliaryTopRightArea))
        return true;
    return screen->safeAreaTopInset > 0;
}

bool isCompact(NotchMode mode, const std::optional<ScreenFacts>& screen)
{
    switch (mode) {
    case NotchMode::Off:
        return false;
    case NotchMode::Always:
        return true;
    case NotchMode::Auto:
        return screenHasNotch(screen);
    }
    return false;
}

std::optional<QRectF> rightMenuPocket(const ScreenFacts& screen)
{
    if (hasWidth(screen.auxiliaryTopRightArea))
        return screen.auxiliaryTopRightArea;
    return std::nullopt;
}

} // namespace MenuBarLayout

} // namespace corvanite

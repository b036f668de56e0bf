// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/SettingsTypes.h"

#include <QHash>
#include <QWidget>

namespace corvanite {

class CpuSection;
class DiagnosticsCard;
class GlassFooter;
class GlassHeader;
class PanelColumn;
class PausedBanner;
class ProcessSection;
struct PanelServices;

// The glass skin's content: a fixed header over a scrolling column of cards, one per area of the
// machine, then the footer. Each card repaints for its own readings only.
class StatsPanelView : public QWidget {
    Q_OBJECT
public:
    explicit StatsPanelView(const PanelServices& services, QWidget* parent = nullptr);

    GlassHeader* header() const { return m_header; }
    PanelColumn* scrollArea() const { return m_scroll; }
    PausedBanner* banner() const { return m_banner; }
    DiagnosticsCard* diagnostics() const { return m_diagnostics; }
    CpuSection* cpu() const { return m_cpu; }
    ProcessSection* processes() const { return m_processes; }
    QWidget* section(PanelModule module) const { return m_modules.value(module); }
    GlassFooter* footer() const { return m_footer; }
    // The cards shown from top to bottom, for checks of order and visibility.
    QList<QWidget*> shownItems() const;

private:
    void applyVisibility();

    const PanelServices& m_services;
    GlassHeader* m_header;
    PanelColumn* m_scroll;
    PausedBanner* m_banner;
    DiagnosticsCard* m_diagnostics;
    CpuSection* m_cpu;
    QHash<PanelModule, QWidget*> m_modules;
    ProcessSection* m_processes;
    GlassFooter* m_footer;
};

} // namespace corvanite

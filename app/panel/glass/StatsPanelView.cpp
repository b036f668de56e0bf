// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/StatsPanelView.h"

#include "app/panel/PanelColumn.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/diagnostics/DiagnosticsCard.h"
#include "app/panel/glass/CpuSection.h"
#include "app/panel/glass/GlassFooter.h"
#include "app/panel/glass/GlassHeader.h"
#include "app/panel/glass/GpuSection.h"
#include "app/panel/glass/MemorySection.h"
#include "app/panel/glass/NetworkSection.h"
#include "app/panel/glass/PowerSection.h"
#include "app/panel/glass/ProcessSection.h"
#include "app/panel/glass/ThermalSection.h"
#include "app/panel/process/PausedBanner.h"
#include "app/settings/SettingsManager.h"

#include <QVBoxLayout>

namespace corvanite {

namespace {
constexpr int kSide = 12;
constexpr int kCardGap = 12;
} // namespace

StatsPanelView::StatsPanelView(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_header(new GlassHeader(*services.clock, *services.flip, this))
    , m_scroll(new PanelColumn(QMargins(kSide, 0, kSide, 10), kCardGap, this))
{
    auto* outer = new QVBoxLayout(this);
    // The column scrolls under the header but stays clear of the card's rounded bottom.
    outer->setContentsMargins(0, 0, 0, 8);
    outer->setSpacing(10);
    outer->addWidget(m_header);
    outer->addWidget(m_scroll, 1);

    QWidget* column = m_scroll->column();
    const ProcessViewStyle glass = ProcessViewStyle::forSkin(PanelSkin::Glass);
    m_banner = new PausedBanner(*services.pause, glass, column);
    m_diagnostics = new DiagnosticsCard(services, glass, column);
    m_cpu = new CpuSection(services, column);
    m_modules.insert(PanelModule::Gpu, new GpuSection(services, column));
    m_modules.insert(PanelModule::Memory, new MemorySection(services, column));
    m_modules.insert(PanelModule::Network, new NetworkSection(services, column));
    m_modules.insert(PanelModule::Thermal, new ThermalSection(services, column));
    m_modules.insert(PanelModule::Power, new PowerSection(services, column));
    m_processes = new ProcessSection(services, column);
    m_modules.insert(PanelModule::Processes, m_processes);
    m_footer = new GlassFooter(services, column);

    QVBoxLayout* rows = m_scroll->rows();
    rows->addWidget(m_banner);
    rows->addWidget(m_diagnostics);
    rows->addWidget(m_cpu);
    for (const PanelModule module :
         {PanelModule::Gpu, PanelModule::Memory, PanelModule::Network, PanelModule::Thermal,
          PanelModule::Power, PanelModule::Processes})
        rows->addWidget(m_modules.value(module));
    rows->addWidget(m_footer);
    rows->addStretch(1);

    connect(services.settings, &SettingsManager::hiddenModulesChanged, this,
            &StatsPanelView::applyVisibility);
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts parts) {
        if (parts & PanelReadings::Part::Gpu)
            applyVisibility(); // the GPU card follows whether a reading exists
        if (parts & PanelReadings::Part::Cpu)
            m_header->update(); // the clock
    });
    applyVisibility();
}

void StatsPanelView::applyVisibility()
{
    const bool hasGpu = m_services.readings->values().gpu.has_value();
    for (auto it = m_modules.cbegin(); it != m_modules.cend(); ++it) {
        bool shown = m_services.settings->isVisible(it.key());
        if (it.key() == PanelModule::Gpu)
            shown = shown && hasGpu;
        if (it.value()->isVisibleTo(m_scroll->column()) != shown || it.value()->isHidden() == shown)
            it.value()->setVisible(shown);
    }
}

QList<QWidget*> StatsPanelView::shownItems() const
{
    return m_scroll->shownItems();
}

} // namespace corvanite

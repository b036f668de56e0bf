// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsPanelView.h"

#include "app/panel/PanelColumn.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/diagnostics/DiagnosticsCard.h"
#include "app/panel/process/PausedBanner.h"
#include "app/panel/process/ProcessViewStyle.h"
#include "app/panel/vitals/VitalsChannelRow.h"
#include "app/panel/vitals/VitalsCoreStrip.h"
#include "app/panel/vitals/VitalsFooter.h"
#include "app/panel/vitals/VitalsFrameClock.h"
#include "app/panel/vitals/VitalsGPUStrip.h"
#include "app/panel/vitals/VitalsHeader.h"
#include "app/panel/vitals/VitalsProcessSection.h"
#include "app/panel/vitals/VitalsTrendBar.h"
#include "app/settings/SettingsManager.h"

#include <QVBoxLayout>

namespace corvanite {

using Kind = VitalsChannels::Kind;

VitalsPanelView::VitalsPanelView(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_frames(new VitalsFrameClock(this))
    , m_header(new VitalsHeader(services, this))
    , m_scroll(new PanelColumn(QMargins(), 0, this))
{
    auto* outer = new QVBoxLayout(this);
    // Inside the card's 1-point outline, which stays visible down both sides.
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);
    outer->addWidget(m_header);
    outer->addWidget(m_scroll, 1);

    QWidget* column = m_scroll->column();
    const ProcessViewStyle vitals = ProcessViewStyle::forSkin(PanelSkin::Vitals);
    m_trend = new VitalsTrendBar(*services.historyWindow, column);
    m_banner = new PausedBanner(*services.pause, vitals, column);
    m_diagnostics = new DiagnosticsCard(services, vitals, column);
    for (const Kind kind : {Kind::Cpu, Kind::Gpu, Kind::Memory, Kind::Network, Kind::Temperature})
        m_channels.append(new VitalsChannelRow(kind, services, *m_frames, column));
    m_cores = new VitalsCoreStrip(column);
    m_gpu = new VitalsGPUStrip(column);
    m_processes = new VitalsProcessSection(services, column);
    m_footer = new VitalsFooter(services, this);

    QVBoxLayout* rows = m_scroll->rows();
    rows->addWidget(m_trend);
    rows->addWidget(m_banner);
    rows->addWidget(m_diagnostics);
    for (VitalsChannelRow* row : m_channels)
        rows->addWidget(row);
    rows->addWidget(m_cores);
    rows->addWidget(m_gpu);
    rows->addWidget(m_processes);
    rows->addStretch(1);
    outer->addWidget(m_footer);

    connect(services.settings, &SettingsManager::hiddenModulesChanged, this,
            &VitalsPanelView::applyVisibility);
    connect(services.settings, &SettingsManager::showCoreStripChanged, this,
            &VitalsPanelView::applyVisibility);
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts parts) {
        if (parts & PanelReadings::Part::Gpu)
            applyVisibility(); // the GPU rows follow whether a reading exists
        if (parts & (PanelReadings::Part::Cpu | PanelReadings::Part::Gpu))
            updateStrips();
    });
    updateStrips();
    applyVisibility();
}

VitalsChannelRow* VitalsPanelView::channel(Kind kind) const
{
    for (VitalsChannelRow* row : m_channels) {
        if (row->kind() == kind)
            return row;
    }
    return nullptr;
}

void VitalsPanelView::updateStrips()
{
    const PanelReadings::Values& v = m_services.readings->values();
    m_cores->setCores(v.cpu.perCore);
    if (v.gpu)
        m_gpu->setSample(*v.gpu);
}

void VitalsPanelView::applyVisibility()
{
    const SettingsManager& settings = *m_services.settings;
    const bool gpu =
        m_services.readings->values().gpu.has_value() && settings.isVisible(PanelModule::Gpu);
    const auto show = [this](QWidget* w, bool shown) {
        if (w->isHidden() == shown)
            w->setVisible(shown);
    };
    show(channel(Kind::Gpu), gpu);
    show(channel(Kind::Memory), settings.isVisible(PanelModule::Memory));
    show(channel(Kind::Network), settings.isVisible(PanelModule::Network));
    show(channel(Kind::Temperature), settings.isVisible(PanelModule::Thermal));
    show(m_cores, settings.showCoreStrip());
    show(m_gpu, gpu);
    show(m_processes, settings.isVisible(PanelModule::Processes));
    m_footer->update(); // the power line follows its module
}

QList<QWidget*> VitalsPanelView::shownItems() const
{
    return m_scroll->shownItems();
}

} // namespace corvanite

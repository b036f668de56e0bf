#include "app/panel/vitals/VitalsPanelView.h"

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

#include <QScrollArea>
#include <QVBoxLayout>

namespace corvanite {

using Kind = VitalsChannels::Kind;

VitalsPanelView::VitalsPanelView(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_frames(new VitalsFrameClock(this))
    , m_header(new VitalsHeader(services, this))
    , m_scroll(new QScrollArea(this))
    , m_column(new QWidget())
    , m_layout(new QVBoxLayout(m_column))
{
    auto* outer = new QVBoxLayout(this);
    // Inside the card's 1-point outline, which stays visible down both sides.
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);
    outer->addWidget(m_header);
    outer->addWidget(m_scroll, 1);

    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    // The black screen of the card shows through; nothing here paints a background.
    m_scroll->setAutoFillBackground(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    const ProcessViewStyle vitals = ProcessViewStyle::forSkin(PanelSkin::Vitals);
    m_trend = new VitalsTrendBar(*services.historyWindow, m_column);
    m_banner = new PausedBanner(*services.pause, vitals, m_column);
    m_diagnostics = new DiagnosticsCard(services, vitals, m_column);
    for (const Kind kind : {Kind::Cpu, Kind::Gpu, Kind::Memory, Kind::Network, Kind::Temperature})
        m_channels.append(new VitalsChannelRow(kind, services, *m_frames, m_column));
    m_cores = new VitalsCoreStrip(m_column);
    m_gpu = new VitalsGPUStrip(m_column);
    m_processes = new VitalsProcessSection(services, m_column);
    m_footer = new VitalsFooter(services, this);

    m_layout->addWidget(m_trend);
    m_layout->addWidget(m_banner);
    m_layout->addWidget(m_diagnostics);
    for (VitalsChannelRow* row : m_channels)
        m_layout->addWidget(row);
    m_layout->addWidget(m_cores);
    m_layout->addWidget(m_gpu);
    m_layout->addWidget(m_processes);
    m_layout->addStretch(1);
    m_scroll->setWidget(m_column);
    m_column->setAutoFillBackground(false); // setWidget() turned it on
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
    QList<QWidget*> items;
    for (int i = 0; i < m_layout->count(); ++i) {
        QWidget* w = m_layout->itemAt(i)->widget();
        if (w && !w->isHidden())
            items.append(w);
    }
    return items;
}

} // namespace corvanite

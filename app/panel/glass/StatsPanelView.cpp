#include "app/panel/glass/StatsPanelView.h"

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

#include <QScrollArea>
#include <QScrollBar>
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
    , m_scroll(new QScrollArea(this))
    , m_column(new QWidget())
    , m_layout(new QVBoxLayout(m_column))
{
    auto* outer = new QVBoxLayout(this);
    // The column scrolls under the header but stays clear of the card's rounded bottom.
    outer->setContentsMargins(0, 0, 0, 8);
    outer->setSpacing(10);
    outer->addWidget(m_header);
    outer->addWidget(m_scroll, 1);

    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    // The card behind shows through the column; nothing here paints a background.
    m_scroll->setAutoFillBackground(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_layout->setContentsMargins(kSide, 0, kSide, 10);
    m_layout->setSpacing(kCardGap);

    const ProcessViewStyle glass = ProcessViewStyle::forSkin(PanelSkin::Glass);
    m_banner = new PausedBanner(*services.pause, glass, m_column);
    m_diagnostics = new DiagnosticsCard(services, glass, m_column);
    m_cpu = new CpuSection(services, m_column);
    m_modules.insert(PanelModule::Gpu, new GpuSection(services, m_column));
    m_modules.insert(PanelModule::Memory, new MemorySection(services, m_column));
    m_modules.insert(PanelModule::Network, new NetworkSection(services, m_column));
    m_modules.insert(PanelModule::Thermal, new ThermalSection(services, m_column));
    m_modules.insert(PanelModule::Power, new PowerSection(services, m_column));
    m_processes = new ProcessSection(services, m_column);
    m_modules.insert(PanelModule::Processes, m_processes);
    m_footer = new GlassFooter(services, m_column);

    m_layout->addWidget(m_banner);
    m_layout->addWidget(m_diagnostics);
    m_layout->addWidget(m_cpu);
    for (const PanelModule module :
         {PanelModule::Gpu, PanelModule::Memory, PanelModule::Network, PanelModule::Thermal,
          PanelModule::Power, PanelModule::Processes})
        m_layout->addWidget(m_modules.value(module));
    m_layout->addWidget(m_footer);
    m_layout->addStretch(1);
    m_scroll->setWidget(m_column);
    m_column->setAutoFillBackground(false); // setWidget() turned it on

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
        if (it.value()->isVisibleTo(m_column) != shown || it.value()->isHidden() == shown)
            it.value()->setVisible(shown);
    }
}

QList<QWidget*> StatsPanelView::shownItems() const
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

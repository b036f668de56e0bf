#include "app/panel/vitals/VitalsProcessSection.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/SegmentedPicker.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/process/ProcessConfirmations.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/panel/process/ProcessViewStyle.h"
#include "app/process/ProcessSortMode.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kSide = 12;
constexpr int kTitle = 24;
constexpr int kPicker = 24;
constexpr int kGap = 6;
constexpr int kSearch = 26;
constexpr int kPickerWidth = 168;

QStringList sortTitles()
{
    QStringList titles;
    for (const ProcessSortMode mode : allProcessSortModes())
        titles.append(displayName(mode));
    return titles;
}
} // namespace

VitalsProcessSection::VitalsProcessSection(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_list(new ProcessListWell(services, VitalsTheme::dimText, this))
    , m_picker(new SegmentedPicker(sortTitles(),
                                   {VitalsTheme::coreWell, VitalsTheme::hairline,
                                    VitalsTheme::dimText, VitalsTheme::primaryText, 3, true},
                                   kPickerWidth, this))
    , m_searchButton(
          new SymbolButton(QStringLiteral("magnifyingglass"), 13, VitalsTheme::dimText, this))
    , m_searchBar(new ProcessSearchBar(ProcessViewStyle::forSkin(PanelSkin::Vitals), this))
    , m_confirmations(new ProcessConfirmations(services, PanelSkin::Vitals, this,
                                               [this] { m_list->collapse(); }))
{
    m_picker->setAccessibleName(L(QStringLiteral("proc.sort")));
    m_searchBar->hide();
    connect(m_picker, &SegmentedPicker::currentIndexChanged, this, [this](int index) {
        m_list->setSortMode(allProcessSortModes().value(index, ProcessSortMode::Cpu));
    });
    connect(m_searchButton, &QAbstractButton::clicked, this,
            [this] { setSearchShown(!m_showSearch); });
    connect(m_searchBar, &ProcessSearchBar::textChanged, m_list, &ProcessListWell::setSearchText);
    connect(m_list, &ProcessListWell::heightChanged, this, &VitalsProcessSection::relayout);
    connect(m_list, &ProcessListWell::terminateRequested, m_confirmations,
            &ProcessConfirmations::requestTerminate);
    connect(m_list, &ProcessListWell::pauseRequested, m_confirmations,
            &ProcessConfirmations::requestPause);
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts parts) {
        if (parts & PanelReadings::Part::Processes)
            m_list->refresh();
    });
    relayout();
}

void VitalsProcessSection::setSearchShown(bool shown)
{
    m_showSearch = shown;
    m_searchBar->setVisible(shown);
    m_searchButton->setColor(shown ? VitalsTheme::ecg : VitalsTheme::dimText);
    if (!shown)
        m_searchBar->clear();
    relayout();
}

void VitalsProcessSection::relayout()
{
    int h = kTitle + kGap + kPicker + kGap;
    if (m_showSearch)
        h += kSearch + kGap;
    h += m_list->height() + kGap;
    setFixedHeight(h);
    const int w = width() - 2 * kSide;
    const int pickerY = kTitle + kGap;
    m_searchButton->move(kSide + w - m_searchButton->width() + 4,
                         pickerY + (kPicker - m_searchButton->height()) / 2);
    m_picker->move(m_searchButton->x() - 6 - m_picker->width(),
                   pickerY + (kPicker - m_picker->height()) / 2);
    int y = pickerY + kPicker + kGap;
    if (m_showSearch) {
        m_searchBar->setGeometry(kSide, y, w, kSearch);
        y += kSearch + kGap;
    }
    m_list->setGeometry(kSide, y, w, m_list->height());
    update();
}

void VitalsProcessSection::resizeEvent(QResizeEvent*)
{
    relayout();
}

void VitalsProcessSection::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRectF(0, 0, width(), 1), VitalsTheme::hairline);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width() - 2 * kSide;
    Paint::text(painter, QRectF(kSide, 1, w, kTitle - 2), L(QStringLiteral("vitals.topConsumers")),
                PanelFonts::condensed(10, QFont::DemiBold), VitalsTheme::dimText);
    painter.fillRect(QRectF(kSide, kTitle - 1, w, 1), VitalsTheme::hairline);
    const double pickerY = kTitle + kGap;
    Paint::text(painter, QRectF(kSide, pickerY, m_picker->x() - kSide - 6, kPicker),
                L(QStringLiteral("proc.sort")), PanelFonts::condensed(9, QFont::Medium),
                VitalsTheme::dimText);
}

} // namespace corvanite

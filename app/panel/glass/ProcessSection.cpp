#include "app/panel/glass/ProcessSection.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/SegmentedPicker.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"
#include "app/panel/process/ProcessConfirmations.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/process/ProcessSortMode.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kHeader = 28;
constexpr int kGap = 8;
constexpr int kSearch = 26;
constexpr int kWellInset = 4;

QStringList sortTitles()
{
    QStringList titles;
    for (const ProcessSortMode mode : allProcessSortModes())
        titles.append(displayName(mode));
    return titles;
}
} // namespace

ProcessSection::ProcessSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Processes, parent)
    , m_list(new ProcessListWell(services, Theme::tertiaryText, this))
    , m_picker(new SegmentedPicker(sortTitles(),
                                   {Theme::white(0.08), Theme::white(0.22), Theme::secondaryText,
                                    Theme::primaryText, 6, false},
                                   168, this))
    , m_searchButton(
          new SymbolButton(QStringLiteral("magnifyingglass"), 14, Theme::tertiaryText, this))
    , m_searchBar(new ProcessSearchBar(ProcessViewStyle::forSkin(PanelSkin::Glass), this))
    , m_confirmations(new ProcessConfirmations(services, PanelSkin::Glass, this,
                                               [this] { m_list->collapse(); }))
{
    m_picker->setAccessibleName(L(QStringLiteral("proc.sort.label")));
    m_searchBar->hide();
    connect(m_picker, &SegmentedPicker::currentIndexChanged, this, [this](int index) {
        m_list->setSortMode(allProcessSortModes().value(index, ProcessSortMode::Cpu));
    });
    connect(m_searchButton, &QAbstractButton::clicked, this,
            [this] { setSearchShown(!m_showSearch); });
    connect(m_searchBar, &ProcessSearchBar::textChanged, m_list, &ProcessListWell::setSearchText);
    connect(m_list, &ProcessListWell::heightChanged, this, &GlassSection::relayout);
    connect(m_list, &ProcessListWell::terminateRequested, m_confirmations,
            &ProcessConfirmations::requestTerminate);
    connect(m_list, &ProcessListWell::pauseRequested, m_confirmations,
            &ProcessConfirmations::requestPause);
    relayout();
}

void ProcessSection::setSearchShown(bool shown)
{
    m_showSearch = shown;
    m_searchBar->setVisible(shown);
    m_searchButton->setColor(shown ? Theme::cpu : Theme::tertiaryText);
    relayout();
}

void ProcessSection::readingsChanged()
{
    m_list->refresh();
}

int ProcessSection::contentHeight() const
{
    int h = kHeader + kGap;
    if (m_showSearch)
        h += kSearch + kGap;
    return h + m_list->height() + 2 * kWellInset;
}

void ProcessSection::placeChildren()
{
    const int w = qRound(contentWidth());
    m_searchButton->move(kPadding + w - m_searchButton->width() + 4,
                         kPadding + (kHeader - m_searchButton->height()) / 2);
    m_picker->move(m_searchButton->x() - 4 - m_picker->width(),
                   kPadding + (kHeader - m_picker->height()) / 2);
    int y = kPadding + kHeader + kGap;
    if (m_showSearch) {
        m_searchBar->setGeometry(kPadding, y, w, kSearch);
        y += kSearch + kGap;
    }
    m_list->setGeometry(kPadding + kWellInset, y + kWellInset, w - 2 * kWellInset,
                        m_list->height());
}

void ProcessSection::paintContent(QPainter& painter, double width)
{
    Paint::tile(painter, QRectF(0, 0, 28, 28), QStringLiteral("list.number"), Theme::process);
    const double titleRoom = m_picker->x() - kPadding - 38 - 6;
    Paint::text(painter, QRectF(38, 0, titleRoom, kHeader), L(QStringLiteral("proc.section.title")),
                PanelFonts::text(12, QFont::DemiBold), Theme::primaryText);
    const double wellTop = kHeader + kGap + (m_showSearch ? kSearch + kGap : 0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::listWell);
    painter.drawRoundedRect(QRectF(0, wellTop, width, m_list->height() + 2 * kWellInset), 12, 12);
}

} // namespace corvanite

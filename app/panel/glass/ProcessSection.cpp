// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/ProcessSection.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/SegmentedPicker.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/panel/process/ProcessSectionControls.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kHeader = 28;
constexpr int kGap = 8;
constexpr int kSearch = 26;
constexpr int kWellInset = 4;
} // namespace

ProcessSection::ProcessSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Processes, parent)
    , m_controls(new ProcessSectionControls(services, PanelSkin::Glass, this))
{
    connect(m_controls, &ProcessSectionControls::layoutChanged, this, &GlassSection::relayout);
    relayout();
}

int ProcessSection::contentHeight() const
{
    int h = kHeader + kGap;
    if (m_controls->searchShown())
        h += kSearch + kGap;
    return h + m_controls->list()->height() + 2 * kWellInset;
}

void ProcessSection::placeChildren()
{
    const int w = qRound(contentWidth());
    SymbolButton* search = m_controls->searchButton();
    SegmentedPicker* picker = m_controls->sortPicker();
    search->move(kPadding + w - search->width() + 4, kPadding + (kHeader - search->height()) / 2);
    picker->move(search->x() - 4 - picker->width(), kPadding + (kHeader - picker->height()) / 2);
    int y = kPadding + kHeader + kGap;
    if (m_controls->searchShown()) {
        m_controls->searchBar()->setGeometry(kPadding, y, w, kSearch);
        y += kSearch + kGap;
    }
    ProcessListWell* list = m_controls->list();
    list->setGeometry(kPadding + kWellInset, y + kWellInset, w - 2 * kWellInset, list->height());
}

void ProcessSection::paintContent(QPainter& painter, double width)
{
    Paint::tile(painter, QRectF(0, 0, 28, 28), QStringLiteral("list.number"), Theme::process);
    const double titleRoom = m_controls->sortPicker()->x() - kPadding - 38 - 6;
    Paint::text(painter, QRectF(38, 0, titleRoom, kHeader), L(QStringLiteral("proc.section.title")),
                PanelFonts::text(12, QFont::DemiBold), Theme::primaryText);
    const double wellTop = kHeader + kGap + (m_controls->searchShown() ? kSearch + kGap : 0);
    Paint::roundedFill(painter,
                       QRectF(0, wellTop, width, m_controls->list()->height() + 2 * kWellInset), 12,
                       Theme::listWell);
}

} // namespace corvanite

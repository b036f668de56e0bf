// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsProcessSection.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/SegmentedPicker.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/panel/process/ProcessSectionControls.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kSide = 12;
constexpr int kTitle = 24;
constexpr int kPicker = 24;
constexpr int kGap = 6;
constexpr int kSearch = 26;
} // namespace

VitalsProcessSection::VitalsProcessSection(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_controls(new ProcessSectionControls(services, PanelSkin::Vitals, this))
{
    connect(m_controls, &ProcessSectionControls::layoutChanged, this,
            &VitalsProcessSection::relayout);
    relayout();
}

void VitalsProcessSection::relayout()
{
    ProcessListWell* list = m_controls->list();
    const bool searchShown = m_controls->searchShown();
    setFixedHeight(kTitle + kGap + kPicker + kGap + (searchShown ? kSearch + kGap : 0) +
                   list->height() + kGap);
    const int w = width() - 2 * kSide;
    const int pickerY = kTitle + kGap;
    SymbolButton* search = m_controls->searchButton();
    SegmentedPicker* picker = m_controls->sortPicker();
    search->move(kSide + w - search->width() + 4, pickerY + (kPicker - search->height()) / 2);
    picker->move(search->x() - 6 - picker->width(), pickerY + (kPicker - picker->height()) / 2);
    int y = pickerY + kPicker + kGap;
    if (searchShown) {
        m_controls->searchBar()->setGeometry(kSide, y, w, kSearch);
        y += kSearch + kGap;
    }
    list->setGeometry(kSide, y, w, list->height());
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
    Paint::text(painter, QRectF(kSide, pickerY, m_controls->sortPicker()->x() - kSide - 6, kPicker),
                L(QStringLiteral("proc.sort")), PanelFonts::condensed(9, QFont::Medium),
                VitalsTheme::dimText);
}

} // namespace corvanite

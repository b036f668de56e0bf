// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessSectionControls.h"

#include "app/base/L10n.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/SegmentedPicker.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/process/ProcessConfirmations.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/process/ProcessSortMode.h"

namespace corvanite {

namespace {
constexpr int kPickerWidth = 168;

QStringList sortTitles()
{
    QStringList titles;
    for (const ProcessSortMode mode : allProcessSortModes())
        titles.append(displayName(mode));
    return titles;
}

SegmentedPicker::Look pickerLook(PanelSkin skin)
{
    if (skin == PanelSkin::Glass)
        return {Theme::white(0.08),
                Theme::white(0.22),
                Theme::secondaryText,
                Theme::primaryText,
                6,
                false};
    return {VitalsTheme::coreWell,
            VitalsTheme::hairline,
            VitalsTheme::dimText,
            VitalsTheme::primaryText,
            3,
            true};
}
} // namespace

ProcessSectionControls::ProcessSectionControls(const PanelServices& services, PanelSkin skin,
                                               QWidget* host)
    : QObject(host)
    , m_style(ProcessViewStyle::forSkin(skin))
{
    const ProcessViewStyle& style = m_style;
    const bool glass = skin == PanelSkin::Glass;
    m_list = new ProcessListWell(services, style.mutedText, host);
    m_picker = new SegmentedPicker(sortTitles(), pickerLook(skin), kPickerWidth, host);
    m_searchButton =
        new SymbolButton(QStringLiteral("magnifyingglass"), glass ? 14 : 13, style.mutedText, host);
    m_searchBar = new ProcessSearchBar(style, host);
    m_confirmations =
        new ProcessConfirmations(services, skin, host, [this] { m_list->collapse(); });

    m_picker->setAccessibleName(
        L(glass ? QStringLiteral("proc.sort.label") : QStringLiteral("proc.sort")));
    m_searchBar->hide();
    connect(m_picker, &SegmentedPicker::currentIndexChanged, m_list, [this](int index) {
        m_list->setSortMode(allProcessSortModes().value(index, ProcessSortMode::Cpu));
    });
    connect(m_searchButton, &QAbstractButton::clicked, this,
            [this] { setSearchShown(!m_showSearch); });
    connect(m_searchBar, &ProcessSearchBar::textChanged, m_list, &ProcessListWell::setSearchText);
    connect(m_list, &ProcessListWell::heightChanged, this, &ProcessSectionControls::layoutChanged);
    connect(m_list, &ProcessListWell::terminateRequested, m_confirmations,
            &ProcessConfirmations::requestTerminate);
    connect(m_list, &ProcessListWell::pauseRequested, m_confirmations,
            &ProcessConfirmations::requestPause);
    connect(services.readings, &PanelReadings::changed, m_list, [this](PanelReadings::Parts parts) {
        if (parts & PanelReadings::Part::Processes)
            m_list->refresh();
    });
}

void ProcessSectionControls::setSearchShown(bool shown)
{
    m_showSearch = shown;
    m_searchBar->setVisible(shown);
    m_searchButton->setColor(shown ? m_style.accent : m_style.mutedText);
    Q_EMIT layoutChanged();
}

} // namespace corvanite

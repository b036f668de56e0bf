// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/process/ProcessViewStyle.h"

#include <QObject>

class QWidget;

namespace corvanite {

class ProcessConfirmations;
class ProcessListWell;
class ProcessSearchBar;
class SegmentedPicker;
class SymbolButton;
struct PanelServices;

// The working parts that both skins' process sections share: the sort picker, the search button
// and bar, the ranked list with its detail, and the terminate and pause confirmations, wired to
// each other and to the readings. The sections only place and frame them.
class ProcessSectionControls : public QObject {
    Q_OBJECT
public:
    // The parts are made as children of host, in the skin's variant.
    ProcessSectionControls(const PanelServices& services, PanelSkin skin, QWidget* host);

    ProcessListWell* list() const { return m_list; }
    SegmentedPicker* sortPicker() const { return m_picker; }
    SymbolButton* searchButton() const { return m_searchButton; }
    ProcessSearchBar* searchBar() const { return m_searchBar; }
    ProcessConfirmations* confirmations() const { return m_confirmations; }

    // Shows or hides the search field; the typed text stays and keeps filtering.
    void setSearchShown(bool shown);
    bool searchShown() const { return m_showSearch; }

Q_SIGNALS:
    // The list's height or the search field's presence changed: the section lays out again.
    void layoutChanged();

private:
    ProcessViewStyle m_style;
    ProcessListWell* m_list;
    SegmentedPicker* m_picker;
    SymbolButton* m_searchButton;
    ProcessSearchBar* m_searchBar;
    ProcessConfirmations* m_confirmations;
    bool m_showSearch = false;
};

} // namespace corvanite

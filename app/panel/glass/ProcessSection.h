#pragma once

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

class ProcessConfirmations;
class ProcessListWell;
class ProcessSearchBar;
class SegmentedPicker;
class SymbolButton;

// The processes card: sort picker, search, the ranked list with its detail, and the
// terminate and pause confirmations.
class ProcessSection : public GlassSection {
    Q_OBJECT
public:
    explicit ProcessSection(const PanelServices& services, QWidget* parent = nullptr);

    ProcessListWell* list() const { return m_list; }
    SegmentedPicker* sortPicker() const { return m_picker; }
    SymbolButton* searchButton() const { return m_searchButton; }
    ProcessSearchBar* searchBar() const { return m_searchBar; }
    ProcessConfirmations* confirmations() const { return m_confirmations; }
    void setSearchShown(bool shown);
    bool searchShown() const { return m_showSearch; }

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
    void placeChildren() override;
    void readingsChanged() override;

private:
    ProcessListWell* m_list;
    SegmentedPicker* m_picker;
    SymbolButton* m_searchButton;
    ProcessSearchBar* m_searchBar;
    ProcessConfirmations* m_confirmations;
    bool m_showSearch = false;
};

} // namespace corvanite

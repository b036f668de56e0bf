#pragma once

#include <QWidget>

namespace corvanite {

class ProcessConfirmations;
class ProcessListWell;
class ProcessSearchBar;
class SegmentedPicker;
class SymbolButton;
struct PanelServices;

// The monitor's process list: a title over a rule, the sort picker and search, the shared
// ranked rows with their detail, and the vitals-worded confirmations.
class VitalsProcessSection : public QWidget {
    Q_OBJECT
public:
    explicit VitalsProcessSection(const PanelServices& services, QWidget* parent = nullptr);

    ProcessListWell* list() const { return m_list; }
    SegmentedPicker* sortPicker() const { return m_picker; }
    SymbolButton* searchButton() const { return m_searchButton; }
    ProcessSearchBar* searchBar() const { return m_searchBar; }
    ProcessConfirmations* confirmations() const { return m_confirmations; }
    void setSearchShown(bool shown);
    bool searchShown() const { return m_showSearch; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    const PanelServices& m_services;
    ProcessListWell* m_list;
    SegmentedPicker* m_picker;
    SymbolButton* m_searchButton;
    ProcessSearchBar* m_searchBar;
    ProcessConfirmations* m_confirmations;
    bool m_showSearch = false;
};

} // namespace corvanite

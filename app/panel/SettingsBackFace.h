#pragma once

#include <QWidget>

namespace corvanite {

class PanelFlipState;
class SymbolButton;

// The panel's back face: a title and the back button that turns the readings up again. The
// preferences themselves are drawn here by the settings face once it joins.
class SettingsBackFace : public QWidget {
    Q_OBJECT
public:
    explicit SettingsBackFace(PanelFlipState& flip, QWidget* parent = nullptr);

    SymbolButton* backButton() const { return m_back; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SymbolButton* m_back;
};

} // namespace corvanite

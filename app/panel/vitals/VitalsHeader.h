#pragma once

#include <QWidget>

namespace corvanite {

class SymbolButton;
struct PanelServices;

// The monitor's top bar: a live dot, the computer's name, the clock, the battery badge and
// the gear that turns the card to the settings.
class VitalsHeader : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 34;

    explicit VitalsHeader(const PanelServices& services, QWidget* parent = nullptr);

    SymbolButton* gear() const { return m_gear; }
    QString hostText() const;
    QString batteryText() const;
    QColor batteryColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const PanelServices& m_services;
    SymbolButton* m_gear;
};

} // namespace corvanite

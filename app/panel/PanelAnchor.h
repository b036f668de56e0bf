#pragma once

#include <QObject>

namespace corvanite {

// Where the arrow on the card's top edge points: its tip's distance from the panel's left edge.
class PanelAnchor : public QObject {
    Q_OBJECT
public:
    static constexpr double kArrowHeight = 8;
    static constexpr double kArrowWidth = 20;
    static constexpr double kCorner = 14;

    explicit PanelAnchor(QObject* parent = nullptr);
    static PanelAnchor& shared();

    double arrowX() const { return m_arrowX; }
    void setArrowX(double x);
    // Kept clear of the rounded corners: at least corner + half the arrow from either edge.
    double clamped(double width) const;

Q_SIGNALS:
    void arrowXChanged();

private:
    double m_arrowX = 200;
};

} // namespace corvanite

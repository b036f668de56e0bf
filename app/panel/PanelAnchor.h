// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
    // False for a panel opened above its item: the arrow is then on the bottom edge.
    bool pointsUp() const { return m_pointsUp; }
    void setPointsUp(bool up);

Q_SIGNALS:
    void arrowXChanged();

private:
    double m_arrowX = 200;
    bool m_pointsUp = true;
};

} // namespace corvanite

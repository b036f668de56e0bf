// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace corvanite {

// Which face of the panel is up: the readings (front) or the settings (back).
class PanelFlipState : public QObject {
    Q_OBJECT
public:
    explicit PanelFlipState(QObject* parent = nullptr);
    static PanelFlipState& shared();

    bool flipped() const { return m_flipped; }
    // Turns with the animation.
    void setFlipped(bool flipped);
    // Front face up at once, without animation (the panel closed).
    void reset();

Q_SIGNALS:
    void flippedChanged(bool animated);

private:
    bool m_flipped = false;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvanite {

class Clock;
class PanelFlipState;
class SymbolButton;

// The glass panel's fixed top line: the gauge and title, the clock and the settings gear.
class GlassHeader : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 40;

    GlassHeader(const Clock& clock, PanelFlipState& flip, QWidget* parent = nullptr);

    SymbolButton* gear() const { return m_gear; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Clock& m_clock;
    SymbolButton* m_gear;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/Paint.h"

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
    void updateClock();
    QRectF badgeRect(const QString& battery) const;
    QRectF clockRect(const QString& clock, const QRectF& badge) const;
    void paintChrome(QPainter& painter, const QRectF& badge, double clockLeft) const;

    const PanelServices& m_services;
    SymbolButton* m_gear;
    // Everything but the clock, which is the only part that moves on most ticks.
    Paint::Layer m_chrome;
    QRectF m_clockRect;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

// Battery: charge with its symbol and colour, state, power source, health, cycles and draw.
class PowerSection : public GlassSection {
    Q_OBJECT
public:
    explicit PowerSection(const PanelServices& services, QWidget* parent = nullptr);

    struct ChargeLook {
        QString symbol;
        QColor tileColor;
        QColor valueColor;
    };
    static ChargeLook chargeLook(std::optional<int> percentage);
    // The state and power-source texts beside the charge; both empty without battery data, where
    // "on battery" would be plainly wrong (a desktop runs on mains).
    static QStringList statusLines(const BatterySample& battery);

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
};

} // namespace corvanite

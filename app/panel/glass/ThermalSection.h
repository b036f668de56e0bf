// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

// Temperatures of CPU, GPU and battery, and the fans' speeds.
class ThermalSection : public GlassSection {
    Q_OBJECT
public:
    explicit ThermalSection(const PanelServices& services, QWidget* parent = nullptr);

    // "1235 / 2000 RPM", or "—" without fans.
    static QString fanSpeeds(const QList<double>& fans);
    // A temperature in the chosen unit with its symbol, or "—".
    QString temperatureText(std::optional<double> celsius) const;

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
};

} // namespace corvanite

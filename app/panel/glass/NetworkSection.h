// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

// Network: download and upload rates and one live chart for each direction.
class NetworkSection : public GlassSection {
    Q_OBJECT
public:
    explicit NetworkSection(const PanelServices& services, QWidget* parent = nullptr);

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
};

} // namespace corvanite

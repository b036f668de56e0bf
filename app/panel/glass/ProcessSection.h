// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

class ProcessSectionControls;

// The processes card: a titled header with the sort picker and search button, the search field,
// and the ranked list on its well.
class ProcessSection : public GlassSection {
    Q_OBJECT
public:
    explicit ProcessSection(const PanelServices& services, QWidget* parent = nullptr);

    ProcessSectionControls& controls() const { return *m_controls; }

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
    void placeChildren() override;
    // The controls refresh the list themselves; the card around it stays as it is.
    void readingsChanged() override {}

private:
    ProcessSectionControls* m_controls;
};

} // namespace corvanite

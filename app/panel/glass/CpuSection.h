// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

class HistoryWindowPicker;

// CPU: total load with its chart, the per-core grid (first 12 cores) and the history picker.
class CpuSection : public GlassSection {
    Q_OBJECT
public:
    static constexpr int kShownCores = 12;

    explicit CpuSection(const PanelServices& services, QWidget* parent = nullptr);

    HistoryWindowPicker* picker() const { return m_picker; }
    // The text under the grid for machines with more than 12 cores; empty otherwise.
    QString moreCoresText() const;

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
    void placeChildren() override;
    void readingsChanged() override;

private:
    int gridHeight() const;
    int bottomRowY() const;

    HistoryWindowPicker* m_picker;
    qsizetype m_coreCount = 0;
};

} // namespace corvanite

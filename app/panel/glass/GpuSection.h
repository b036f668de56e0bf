// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/glass/GlassSection.h"

class QVariantAnimation;

namespace corvanite {

// GPU: device load with its live chart, the core matrix, the renderer and tiler engines and a
// line with the core count and video memory.
class GpuSection : public GlassSection {
    Q_OBJECT
public:
    explicit GpuSection(const PanelServices& services, QWidget* parent = nullptr);

    // How many matrix cells are lit for a load.
    static int litCells(double deviceUtil, int coreCount);
    QString infoLine() const;

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;
    void readingsChanged() override;

private:
    bool hasMatrix() const;
    int targetLit() const;
    bool m_hadMatrix = false;
    // Lit cells as drawn: follows the load with an ease-out instead of jumping.
    double m_lit = 0;
    QVariantAnimation* m_litAnimation;
};

} // namespace corvanite

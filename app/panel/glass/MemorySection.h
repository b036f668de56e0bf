// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/glass/GlassSection.h"

namespace corvanite {

// Memory: usage, used and total, the split bar and its legend.
class MemorySection : public GlassSection {
    Q_OBJECT
public:
    explicit MemorySection(const PanelServices& services, QWidget* parent = nullptr);

    // Each category's share of the bar, in bar order (app, wired, compressed, cached, free).
    static QList<double> segmentFractions(const MemorySample& sample);

protected:
    int contentHeight() const override;
    void paintContent(QPainter& painter, double width) override;

private:
    struct LegendItem {
        QString text;
        QColor color;
    };
    QList<LegendItem> legend() const;
    // Legend lines as wrapped at the width: each line's items.
    QList<QList<LegendItem>> legendLines(double width) const;
};

} // namespace corvanite

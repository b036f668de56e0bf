// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <QWidget>

class QVariantAnimation;

namespace corvanite {

// The GPU below the channels: an LED meter with one cell per GPU core, lit by the device
// utilisation and easing to its new count, and gauges for the device, renderer and tiler.
class VitalsGPUStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLedAnimationMs = 500;

    explicit VitalsGPUStrip(QWidget* parent = nullptr);

    void setSample(const GPUSample& sample);
    const GPUSample& sample() const { return m_sample; }
    static int litCells(double deviceUtil, int coreCount);
    bool hasMeter() const;
    // The lit count being drawn, between the old and the new one while easing.
    double shownLit() const { return m_lit; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int heightFor(const GPUSample& sample) const;

    GPUSample m_sample;
    double m_lit = 0;
    QVariantAnimation* m_litAnimation;
};

} // namespace corvanite

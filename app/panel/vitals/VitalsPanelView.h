// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/vitals/VitalsChannels.h"

#include <QList>
#include <QWidget>

namespace corvanite {

class DiagnosticsCard;
class PanelColumn;
class PausedBanner;
class VitalsChannelRow;
class VitalsCoreStrip;
class VitalsFooter;
class VitalsFrameClock;
class VitalsGPUStrip;
class VitalsHeader;
class VitalsProcessSection;
class VitalsTrendBar;
struct PanelServices;

// The vitals skin's content: the machine as a bedside monitor. A fixed header, a scrolling
// column of channels, the core and GPU strips and the process list, and a fixed footer. Each
// row repaints for its own readings only.
class VitalsPanelView : public QWidget {
    Q_OBJECT
public:
    explicit VitalsPanelView(const PanelServices& services, QWidget* parent = nullptr);

    VitalsHeader* header() const { return m_header; }
    PanelColumn* scrollArea() const { return m_scroll; }
    VitalsTrendBar* trendBar() const { return m_trend; }
    PausedBanner* banner() const { return m_banner; }
    DiagnosticsCard* diagnostics() const { return m_diagnostics; }
    VitalsChannelRow* channel(VitalsChannels::Kind kind) const;
    VitalsCoreStrip* coreStrip() const { return m_cores; }
    VitalsGPUStrip* gpuStrip() const { return m_gpu; }
    VitalsProcessSection* processes() const { return m_processes; }
    VitalsFooter* footer() const { return m_footer; }
    VitalsFrameClock* frameClock() const { return m_frames; }
    // The rows shown from top to bottom, for checks of order and visibility.
    QList<QWidget*> shownItems() const;

private:
    void applyVisibility();
    void updateStrips();

    const PanelServices& m_services;
    VitalsFrameClock* m_frames;
    VitalsHeader* m_header;
    PanelColumn* m_scroll;
    VitalsTrendBar* m_trend;
    PausedBanner* m_banner;
    DiagnosticsCard* m_diagnostics;
    QList<VitalsChannelRow*> m_channels;
    VitalsCoreStrip* m_cores;
    VitalsGPUStrip* m_gpu;
    VitalsProcessSection* m_processes;
    VitalsFooter* m_footer;
};

} // namespace corvanite

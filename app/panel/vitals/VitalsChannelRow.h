// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/Paint.h"
#include "app/panel/vitals/VitalsChannel.h"
#include "app/panel/vitals/VitalsChannels.h"

#include <QWidget>

namespace corvanite {

class AlarmPulse;
class VitalsFrameClock;
class VitalsWaveform;
struct PanelServices;

// One channel of the monitor: name and subtitle, the trace over its grid, the big reading with
// its detail line; while past the threshold, red with a pulsing background and a badge.
class VitalsChannelRow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 62;
    static constexpr int kLeft = 46;
    static constexpr int kRight = 100;
    static constexpr int kSide = 12;
    static constexpr int kGap = 8;

    VitalsChannelRow(VitalsChannels::Kind kind, const PanelServices& services,
                     VitalsFrameClock& frames, QWidget* parent = nullptr);

    VitalsChannels::Kind kind() const { return m_kind; }
    const VitalsChannel& channel() const { return m_channel; }
    VitalsWaveform* waveform() const { return m_waveform; }
    AlarmPulse* pulse() const { return m_pulse; }
    // Where the high badge sits; empty while not alarming.
    QRectF badgeRect() const;
    // Rebuilds the channel from the current readings and settings.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The texts, badge and rule, kept as a picture until the channel changes.
    void paintForeground(QPainter& painter, const QRegion& region);
    void drawForeground(QPainter& painter);

    const PanelServices& m_services;
    VitalsChannels::Kind m_kind;
    VitalsChannel m_channel;
    AlarmPulse* m_pulse;
    VitalsWaveform* m_waveform;
    Paint::Layer m_foreground;
    quint64 m_revision = 0;
};

} // namespace corvanite

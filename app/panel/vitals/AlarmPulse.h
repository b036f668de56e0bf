// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

namespace corvanite {

class Clock;
class VitalsFrameClock;

// The background of an alarming channel: the alarm red breathing between 5 % and 16 % with an
// ease-in-out of 0.55 s each way. It runs only while shown, at a frame rate a faint tint needs
// and no more, and skips a frame whose tint would not change a pixel. It covers its row and
// draws the row's kept pictures over the tint itself, so a pulse frame neither repaints the row
// and its trace nor lays out their text again.
class AlarmPulse : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHalfCycleMs = 550;
    static constexpr double kDim = 0.05;
    static constexpr double kBright = 0.16;

    // Draws what lies over the tint into the repainted region, in the pulse's coordinates.
    using Foreground = std::function<void(QPainter&, const QRegion&)>;

    // Time is read from `clock`, frames come from `frames`.
    AlarmPulse(VitalsFrameClock& frames, const Clock& clock, QWidget* parent = nullptr);

    void setForeground(Foreground foreground) { m_foreground = std::move(foreground); }

    // Heading for (or at) the bright end of the cycle.
    bool bright() const { return m_bright; }
    bool isRunning() const;
    double opacity() const;
    // The opacity `ms` into the pulse.
    static double opacityAt(qint64 ms);
    // The tint `ms` into the pulse as the opaque colour it makes over the black screen.
    static QColor tintAt(qint64 ms);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step();
    qint64 elapsedMs() const;

    // The panel may delete its frame clock before its rows.
    QPointer<VitalsFrameClock> m_frames;
    const Clock& m_clock;
    bool m_running = false;
    std::optional<double> m_start; // monotonic seconds at the first show
    bool m_bright = false;
    QColor m_shown; // the tint last painted
    Foreground m_foreground;
};

} // namespace corvanite

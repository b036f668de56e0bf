// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSet>

class QTimer;

namespace corvanite {

// The one frame timer of a vitals panel. Every alarm pulse steps on the same frame, so the
// window draws and flushes once per frame however many channels alarm, and the timer runs only
// while something holds it.
class VitalsFrameClock : public QObject {
    Q_OBJECT
public:
    // Ten frames a second: eleven steps of about one percent of opacity per cycle read as a
    // smooth glow, and each frame redraws whole rows.
    static constexpr int kFrameMs = 100;

    explicit VitalsFrameClock(QObject* parent = nullptr);

    void hold(const QObject* who);
    void release(const QObject* who);
    bool isRunning() const;

Q_SIGNALS:
    void frame();

private:
    QTimer* m_timer;
    QSet<const QObject*> m_holders;
};

} // namespace corvanite

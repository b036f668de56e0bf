// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/ProcessDetail.h"

#include <QWidget>

#include <functional>

namespace corvanite {

class CapsuleButton;
class Clock;
class PauseManager;
class PinStore;
class SymbolButton;

// The expanded part under a process row: path with a reveal button, six metrics, the pinned CPU
// trend and the pin, pause or resume, and terminate actions.
class ProcessDetailView : public QWidget {
    Q_OBJECT
public:
    ProcessDetailView(ProcessDetail detail, bool canKill, PinStore& pins, PauseManager& pause,
                      const Clock& clock, std::function<void(const QString&)> revealFile,
                      QWidget* parent = nullptr);

    const ProcessDetail& detail() const { return m_detail; }
    // The height its content needs at the current width.
    int contentHeight() const;
    bool showsTrend() const;
    bool showsRevealButton() const;
    bool pinEnabled() const;
    QString pinHelp() const;
    // "pause", "resume" or "" for the middle action; "terminate", "protected", "zombie" or
    // "kernelThread" on the right.
    QString groupAction() const;
    bool offersTerminate() const { return m_canKill; }
    QString stateAction() const;

Q_SIGNALS:
    // `startTicks` is the start the detail was read with, so the action reaches only that process.
    void terminateRequested(qint32 pid, const QString& name, quint64 startTicks);
    void pauseRequested(qint32 pid, const QString& name, quint64 startTicks);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuildActions();
    void placeActions();
    QList<double> trendValues() const;
    // The text where the terminate button would be: why there is none.
    QString noTerminateText() const;

    ProcessDetail m_detail;
    bool m_canKill;
    PinStore& m_pins;
    PauseManager& m_pause;
    const Clock& m_clock;
    std::function<void(const QString&)> m_revealFile;
    SymbolButton* m_reveal = nullptr;
    SymbolButton* m_pin = nullptr;
    CapsuleButton* m_groupButton = nullptr;
    CapsuleButton* m_terminate = nullptr;
    QString m_groupAction;
};

} // namespace corvanite

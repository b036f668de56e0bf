// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelSkin.h"
#include "app/process/PauseFlow.h"
#include "app/process/TerminationFlow.h"

#include <QObject>
#include <QPointer>

#include <functional>

#include <QMessageBox>
class QWidget;

namespace corvanite {

struct PanelServices;

// The terminate and pause confirmations of a panel's process list, as dialogs that hold the
// panel open while they are up.
class ProcessConfirmations : public QObject {
    Q_OBJECT
public:
    ProcessConfirmations(const PanelServices& services, PanelSkin skin, QWidget* over,
                         std::function<void()> onTerminated);

    // `startTicks`: the start the detail view showed, checked again before any signal.
    void requestTerminate(qint32 pid, const QString& name,
                          std::optional<quint64> startTicks = std::nullopt);
    void requestPause(qint32 pid, const QString& name,
                      std::optional<quint64> startTicks = std::nullopt);

    bool showKillConfirm() const { return m_kill.dialogShown(); }
    bool showPauseConfirm() const { return m_pauseFlow.dialogShown(); }
    const PauseFlow& pauseFlow() const { return m_pauseFlow; }
    QMessageBox* dialog() const { return m_dialog; }

private:
    void updateHold();

    const PanelServices& m_services;
    QWidget* m_over;
    TerminationFlow m_kill;
    PauseFlow m_pauseFlow;
    QPointer<QMessageBox> m_dialog;
};

} // namespace corvanite

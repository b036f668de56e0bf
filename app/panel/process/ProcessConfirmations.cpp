// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessConfirmations.h"

#include "app/panel/ConfirmationDialog.h"
#include "app/panel/PanelServices.h"
#include "app/settings/SettingsManager.h"

#include <QMessageBox>

namespace corvanite {

ProcessConfirmations::ProcessConfirmations(const PanelServices& services, PanelSkin skin,
                                           QWidget* over, std::function<void()> onTerminated)
    : QObject(over)
    , m_services(services)
    , m_over(over)
    , m_kill(skin == PanelSkin::Glass ? TerminationFlow::Skin::Glass
                                      : TerminationFlow::Skin::Vitals,
             *services.terminator,
             Preauthorization{[settings = services.settings](const QString& name) {
                                  return settings->isPreauthorized(name);
                              },
                              [settings = services.settings](const QString& name) {
                                  settings->addPreauthorized(name);
                              }},
             std::move(onTerminated))
    , m_pauseFlow(*services.pause)
{
}

void ProcessConfirmations::updateHold()
{
    // Whenever either dialog changes, the hold follows whether one of them is up.
    if (m_services.setDialogHold)
        m_services.setDialogHold(showKillConfirm() || showPauseConfirm());
}

void ProcessConfirmations::requestTerminate(qint32 pid, const QString& name,
                                            std::optional<quint64> startTicks)
{
    m_kill.request(pid, name, startTicks);
    if (!m_kill.dialogShown())
        return; // pre-authorised: already terminated
    updateHold();
    m_dialog = ConfirmationDialog::open(
        m_over, m_kill.title(), m_kill.message(),
        {{m_kill.confirmLabel(), true, false, [this] { m_kill.confirm(); }},
         {m_kill.alwaysLabel(), true, false, [this] { m_kill.confirmAlways(); }},
         {m_kill.cancelLabel(), false, true, [this] { m_kill.cancel(); }}},
        {});
    connect(m_dialog, &QObject::destroyed, this, [this] {
        if (m_kill.dialogShown())
            m_kill.cancel(); // closed some other way
        updateHold();
    });
}

void ProcessConfirmations::requestPause(qint32 pid, const QString& name,
                                        std::optional<quint64> startTicks)
{
    m_pauseFlow.request(pid, name, startTicks);
    updateHold();
    QList<ConfirmationDialog::Choice> choices;
    if (m_pauseFlow.offersPause())
        choices.append(
            {m_pauseFlow.confirmLabel(), false, false, [this] { m_pauseFlow.confirm(); }});
    choices.append({m_pauseFlow.cancelLabel(), false, true, [this] { m_pauseFlow.cancel(); }});
    m_dialog =
        ConfirmationDialog::open(m_over, m_pauseFlow.title(), m_pauseFlow.message(), choices, {});
    connect(m_dialog, &QObject::destroyed, this, [this] {
        if (m_pauseFlow.dialogShown())
            m_pauseFlow.cancel();
        updateHold();
    });
}

} // namespace corvanite

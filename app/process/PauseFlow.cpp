// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseFlow.h"

#include "app/base/L10n.h"
#include "app/process/PauseManager.h"

namespace corvanite {

PauseFlow::PauseFlow(PauseManager& manager)
    : m_manager(manager)
{
}

void PauseFlow::request(qint32 pid, const QString& name)
{
    m_pending = Pending{pid, name};
}

void PauseFlow::confirm()
{
    if (m_pending)
        m_manager.pause(m_pending->pid, m_pending->name);
    m_pending.reset();
}

void PauseFlow::cancel()
{
    m_pending.reset();
}

QString PauseFlow::title() const
{
    return m_pending ? L(QStringLiteral("proc.pause.title"), {m_pending->name}) : QString();
}

QString PauseFlow::message() const
{
    return L(QStringLiteral("proc.pause.message"));
}

QString PauseFlow::confirmLabel() const
{
    return L(QStringLiteral("proc.pause.action"));
}

QString PauseFlow::cancelLabel() const
{
    return L(QStringLiteral("proc.kill.cancel"));
}

} // namespace corvanite

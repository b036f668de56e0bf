// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/PauseFlow.h"

#include "app/base/L10n.h"

namespace corvanite {

PauseFlow::PauseFlow(PauseManager& manager)
    : m_manager(manager)
{
}

void PauseFlow::request(qint32 pid, const QString& name, std::optional<quint64> startTicks)
{
    m_pending = Pending{pid, name, startTicks, m_manager.protectingMember(pid)};
}

void PauseFlow::confirm()
{
    if (offersPause())
        m_manager.pause(m_pending->pid, m_pending->name, m_pending->startTicks);
    m_pending.reset();
}

void PauseFlow::cancel()
{
    m_pending.reset();
}

QString PauseFlow::title() const
{
    if (!m_pending)
        return {};
    return L(m_pending->protectedBy ? QStringLiteral("proc.pause.protectedTitle")
                                    : QStringLiteral("proc.pause.title"),
             {m_pending->name});
}

QString PauseFlow::message() const
{
    if (m_pending && m_pending->protectedBy)
        return L(QStringLiteral("proc.pause.protectedMessage"),
                 {m_pending->protectedBy->name, m_pending->protectedBy->pid});
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

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/UserNotices.h"

#include "platform/NotificationCenter.h"

namespace corvanite {

UserNotices::UserNotices(NotificationCenter& center)
    : m_center(center)
{
}

void UserNotices::show(const QString& title, const QString& body)
{
    const QString key = title + QChar(0x1f) + body;
    if (m_shown.contains(key))
        return;
    m_shown.insert(key);
    NotificationCenter::Request request;
    request.title = title;
    request.body = body;
    m_center.add(request);
}

} // namespace corvanite

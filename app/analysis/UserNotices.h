// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

namespace corvanite {

class NotificationCenter;

// Plain notices to the user through the desktop's notifications, for conditions worth telling
// once per run (the preferences could not be read, or cannot be saved). No action, no sound.
class UserNotices {
public:
    explicit UserNotices(NotificationCenter& center);

    static UserNotices& shared();

    // Shows the notice unless the same title and body were already shown in this run.
    void show(const QString& title, const QString& body);

private:
    NotificationCenter& m_center;
    QSet<QString> m_shown;
};

} // namespace corvanite

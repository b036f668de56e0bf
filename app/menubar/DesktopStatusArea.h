// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/StatusArea.h"

#include <QDBusConnection>

namespace corvanite {

// The status area of this session: a StatusNotifierWatcher on `bus`, else an XEmbed system
// tray on the X display. Both are watched by events only (the watcher's name on the bus, the
// tray's manager selection on the display), so following the desktop costs nothing at idle.
class DesktopStatusArea : public StatusArea {
    Q_OBJECT
public:
    explicit DesktopStatusArea(QDBusConnection bus, QObject* parent = nullptr);

    StatusItemKind kind() const override;
    std::unique_ptr<StatusItem> makeItem(StatusItemKind kind) override;

private:
    QDBusConnection m_bus;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/StatusItemFactory.h"

#include "app/base/Log.h"
#include "app/menubar/SniStatusItem.h"
#include "app/menubar/TrayStatusItem.h"

#include <QDBusConnectionInterface>
#include <QSystemTrayIcon>

namespace corvanite {

StatusItemKind availableStatusItemKind(const QDBusConnection& bus)
{
    if (bus.isConnected() && bus.interface() &&
        bus.interface()->isServiceRegistered(QLatin1String(SniStatusItem::kWatcherService)))
        return StatusItemKind::StatusNotifier;
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return StatusItemKind::XEmbedTray;
    return StatusItemKind::None;
}

std::unique_ptr<StatusItem> makeStatusItem(const QDBusConnection& bus)
{
    return makeStatusItem(availableStatusItemKind(bus), bus);
}

std::unique_ptr<StatusItem> makeStatusItem(StatusItemKind kind, const QDBusConnection& bus)
{
    switch (kind) {
    case StatusItemKind::StatusNotifier:
        Log::debug(QStringLiteral("Status item: StatusNotifierItem on the session bus"));
        return std::make_unique<SniStatusItem>(bus);
    case StatusItemKind::XEmbedTray:
        Log::debug(QStringLiteral("Status item: XEmbed system tray icon"));
        return std::make_unique<TrayStatusItem>();
    case StatusItemKind::None:
        break;
    }
    Log::debug(QStringLiteral("Status item: the desktop has no status area"));
    return std::make_unique<AbsentStatusItem>();
}

std::unique_ptr<StatusItem> makeStatusItem()
{
    return makeStatusItem(QDBusConnection::sessionBus());
}

} // namespace corvanite

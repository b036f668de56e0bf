// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/DesktopStatusArea.h"

#include "app/base/Log.h"
#include "app/menubar/SniStatusItem.h"

#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace corvanite {

DesktopStatusArea::DesktopStatusArea(QDBusConnection bus, QObject* parent)
    : StatusArea(parent)
    , m_bus(std::move(bus))
{
    if (m_bus.isConnected()) {
        auto* watcher = new QDBusServiceWatcher(
            QLatin1String(SniStatusItem::kWatcherService), m_bus,
            QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
            this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &StatusArea::changed);
        connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &StatusArea::changed);
    }
    // Asking once makes Qt's X11 integration track the tray manager selection
    // (_NET_SYSTEM_TRAY_S<n>): its MANAGER announcement and its owner's window going away.
    // The integration reports both through a signal of its native interface, which is only
    // reachable by name (its class is private to the xcb plugin).
    QSystemTrayIcon::isSystemTrayAvailable();
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native && native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0)
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SIGNAL(changed()));
}

StatusItemKind DesktopStatusArea::kind() const
{
    return availableStatusItemKind(m_bus);
}

std::unique_ptr<StatusItem> DesktopStatusArea::makeItem(StatusItemKind kind)
{
    return makeStatusItem(kind, m_bus);
}

} // namespace corvanite

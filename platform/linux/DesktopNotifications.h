// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NotificationCenter.h"

#include <QDBusConnection>
#include <QHash>

namespace corvanite {

// The notification centre over the freedesktop notification service
// (org.freedesktop.Notifications) on a session bus. The service hands out a number for every
// notification; the number last given for an identifier is sent as replaces_id, so a newer
// notification of the same identifier takes the older one's place.
class DesktopNotifications : public NotificationCenter {
    Q_OBJECT
public:
    static constexpr int kCallTimeoutMs = 5000;

    struct Identity {
        QString appName;      // shown by the service as the sender
        QString appIcon;      // icon theme name
        QString desktopEntry; // the .desktop file name without its suffix
    };

    DesktopNotifications(QDBusConnection bus, Identity identity, QObject* parent = nullptr);

    void add(const Request& request) override;
    void removeAllDelivered() override;
    // Granted when the service answers GetCapabilities; refused when there is no bus or no
    // service on it.
    void requestAuthorization(std::function<void(bool granted)> completion) override;

    // The sound theme name asked for when a request wants a sound.
    static QString soundName();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    void forget(uint id);

    QDBusConnection m_bus;
    Identity m_identity;
    QHash<QString, uint> m_idByIdentifier; // identified requests only
    QHash<uint, QString> m_identifierById; // everything this process posted that is still shown
};

} // namespace corvanite

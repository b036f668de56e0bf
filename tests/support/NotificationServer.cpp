// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/NotificationServer.h"

namespace corvanite::test {

NotificationServer::NotificationServer(QDBusConnection connection)
    : m_connection(std::move(connection))
{
    m_registered = m_connection.registerObject(
                       QStringLiteral("/org/freedesktop/Notifications"), this,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) &&
                   m_connection.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

void NotificationServer::click(uint id, const QString& actionKey)
{
    Q_EMIT ActionInvoked(id, actionKey);
    Q_EMIT NotificationClosed(id, 2);
}

uint NotificationServer::Notify(const QString& appName, uint replacesId, const QString& appIcon,
                                const QString& summary, const QString& body,
                                const QStringList& actions, const QVariantMap& hints, int timeout)
{
    // As the freedesktop service does: a replacement keeps the number it replaces.
    const uint id = replacesId != 0 ? replacesId : m_nextId++;
    m_notified.append({appName, replacesId, appIcon, summary, body, actions, hints, timeout, id});
    return id;
}

QStringList NotificationServer::GetCapabilities()
{
    ++m_capabilityCalls;
    return {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("sound")};
}

void NotificationServer::CloseNotification(uint id)
{
    m_closed.append(id);
    Q_EMIT NotificationClosed(id, 3);
}

void NotificationServer::GetServerInformation(QString& name, QString& vendor, QString& version,
                                              QString& specVersion)
{
    name = QStringLiteral("test-notifications");
    vendor = QStringLiteral("corvanite tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
}

} // namespace corvanite::test

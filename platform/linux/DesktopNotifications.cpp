// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QVariantMap>

namespace corvanite {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage method(const QString& name)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, name);
}

} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, Identity identity, QObject* parent)
    : NotificationCenter(parent)
    , m_bus(std::move(bus))
    , m_identity(std::move(identity))
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

QString DesktopNotifications::soundName()
{
    return QStringLiteral("dialog-warning");
}

void DesktopNotifications::add(const Request& request)
{
    if (!m_bus.isConnected())
        return;
    const uint replaces =
        request.identifier.isEmpty() ? 0u : m_idByIdentifier.value(request.identifier, 0u);
    QStringList actions;
    if (request.clickable)
        actions << QStringLiteral("default") << request.actionLabel;
    QVariantMap hints;
    if (!m_identity.desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), m_identity.desktopEntry);
    if (request.sound)
        hints.insert(QStringLiteral("sound-name"), soundName());

    QDBusMessage call = method(QStringLiteral("Notify"));
    call << m_identity.appName << replaces << m_identity.appIcon << request.title << request.body
         << actions << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, identifier = request.identifier](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                if (reply.isError())
                    return;
                const uint id = reply.value();
                if (!identifier.isEmpty()) {
                    const uint previous = m_idByIdentifier.value(identifier, 0u);
                    if (previous != 0 && previous != id)
                        m_identifierById.remove(previous);
                    m_idByIdentifier.insert(identifier, id);
                }
                m_identifierById.insert(id, identifier);
            });
}

void DesktopNotifications::removeAllDelivered()
{
    if (m_bus.isConnected()) {
        for (auto it = m_identifierById.cbegin(); it != m_identifierById.cend(); ++it) {
            QDBusMessage call = method(QStringLiteral("CloseNotification"));
            call << it.key();
            call.setAutoStartService(false);
            m_bus.asyncCall(call, kCallTimeoutMs);
        }
    }
    m_identifierById.clear();
    m_idByIdentifier.clear();
}

void DesktopNotifications::requestAuthorization(std::function<void(bool granted)> completion)
{
    if (!completion)
        return;
    if (!m_bus.isConnected()) {
        QTimer::singleShot(0, this, [completion = std::move(completion)] { completion(false); });
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(method(QStringLiteral("GetCapabilities")), kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [completion = std::move(completion)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                completion(!w->isError());
            });
}

void DesktopNotifications::onActionInvoked(uint id, const QString& /*actionKey*/)
{
    const auto it = m_identifierById.constFind(id);
    if (it == m_identifierById.cend())
        return; // another application's notification
    Q_EMIT responded(*it);
}

void DesktopNotifications::onNotificationClosed(uint id, uint /*reason*/)
{
    forget(id);
}

void DesktopNotifications::forget(uint id)
{
    const auto it = m_identifierById.constFind(id);
    if (it == m_identifierById.cend())
        return;
    if (!it->isEmpty() && m_idByIdentifier.value(*it) == id)
        m_idByIdentifier.remove(*it);
    m_identifierById.erase(it);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace corvanite::test {

// A desktop notification service of the test's own: registered as
// org.freedesktop.Notifications on the given connection, it records what it is sent and lets
// the test click a notification (ActionInvoked) or close it.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
        uint id = 0; // the number handed back
    };

    explicit NotificationServer(QDBusConnection connection);
    bool isRegistered() const { return m_registered; }

    const QList<Notification>& notified() const { return m_notified; }
    const QList<uint>& closed() const { return m_closed; }
    int capabilityCalls() const { return m_capabilityCalls; }

    // The user clicks the notification with this number.
    void click(uint id, const QString& actionKey = QStringLiteral("default"));

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout);
    QStringList GetCapabilities();
    void CloseNotification(uint id);
    void GetServerInformation(QString& name, QString& vendor, QString& version,
                              QString& specVersion);

Q_SIGNALS:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_connection;
    bool m_registered = false;
    QList<Notification> m_notified;
    QList<uint> m_closed;
    int m_capabilityCalls = 0;
    uint m_nextId = 1;
};

} // namespace corvanite::test

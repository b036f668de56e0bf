// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace corvanite {

// The desktop's notification service as the application uses it: post a notification, replace
// one posted earlier under the same identifier, withdraw everything posted, and learn when the
// user clicked one. Main thread only.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    struct Request {
        // A request whose identifier was used before replaces that notification; an empty
        // identifier always posts a new one.
        QString identifier;
        QString title;
        QString body;
        bool sound = false;
        // Offers the default action (a click on the notification), shown under this label.
        bool clickable = false;
        QString actionLabel;
    };

    using QObject::QObject;

    // Posts without waiting for the service; a failure is dropped.
    virtual void add(const Request& request) = 0;
    // Withdraws every notification this process posted that is still known to be shown.
    virtual void removeAllDelivered() = 0;
    // Whether notifications can be shown at all; the completion runs later on the main thread.
    virtual void requestAuthorization(std::function<void(bool granted)> completion) = 0;

Q_SIGNALS:
    // The user clicked, or chose an action of, the notification posted under `identifier`.
    void responded(const QString& identifier);
};

} // namespace corvanite

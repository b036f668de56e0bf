// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace corvanite::test {

// A dbus-daemon of the test's own, with a session-bus configuration: any client may own any
// name and call anything. Service folders, when given, enable real bus activation of the
// service files in them. The daemon stops when the object goes.
class PrivateBus {
public:
    explicit PrivateBus(const QStringList& serviceDirs = {});
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    QString address() const { return m_address; }
    // Why the daemon did not start, when it did not.
    QString error() const { return m_error; }

    // A new client connection to the bus; `name` must be unique within the process.
    QDBusConnection connect(const QString& name);

    // Makes QDBusConnection::sessionBus() of this process use the private bus. Only works
    // before the process first touches its session bus.
    void exportAsSessionBus() const;

    // Sends `call` and runs the event loop until the reply comes (so a callee living in this
    // same thread can answer) or `timeoutMs` passes.
    static QDBusMessage callAndWait(const QDBusConnection& connection, const QDBusMessage& call,
                                    int timeoutMs = 5000);

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
    QStringList m_connections;
};

} // namespace corvanite::test

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/comfort/FanHelperApi.h"
#include "app/comfort/HelperRegistration.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QDBusMessage;
class QDBusServiceWatcher;
class QTimer;

namespace corvanite {

// The application's one link to the fan helper daemon on the system bus: registration, the
// connection to the daemon, the five operations with their replies on the main thread, and a
// heartbeat every 2 seconds while a floor is held, so the daemon lets go of the fans as soon as
// this application stops or hangs.
//
// The connection is opened on the first call and dropped when the daemon leaves the bus, the
// bus goes away or a call fails in transport; the next call opens a new one. A call that fails
// in transport is logged and gets no reply.
class FanHelperClient final : public QObject, public FanHelperApi {
    Q_OBJECT
    Q_PROPERTY(FanHelperState state READ state NOTIFY stateChanged)
public:
    using State = FanHelperState;
    static constexpr int kHeartbeatIntervalMs = 2000;

    // `busAddress` empty: the system bus.
    FanHelperClient(std::unique_ptr<HelperRegistration> registration, QString busAddress = {},
                    QObject* parent = nullptr);
    ~FanHelperClient() override;
    // Built in the composition root; never destroyed.
    static FanHelperClient& shared();
    // The shared client when something has built it already, else none: quitting must not
    // start a daemon only to tell it nothing is held.
    static FanHelperClient* sharedIfBuilt();

    State state() const override { return m_state; }
    void refreshState() override;
    bool registerHelper() override;
    void unregisterHelper();

    void version(std::function<void(std::optional<QString>)> reply);
    void readFans(std::function<void(QList<FanReading>)> reply) override;
    void setFanFloor(qint64 rpm, std::function<void(bool)> reply) override;
    void releaseControl(std::function<void(bool)> reply) override;

    bool isHeartbeating() const { return m_heartbeat != nullptr; }
    bool hasConnection() const { return !m_connectionName.isEmpty(); }
    // How many connections have been opened so far.
    int connectionsOpened() const { return m_connectionsOpened; }
    // One heartbeat now, as the timer sends it.
    void sendHeartbeat();

Q_SIGNALS:
    void stateChanged();

private Q_SLOTS:
    void dropConnection();

private:
    std::optional<QDBusConnection> proxy();
    void call(const QDBusConnection& connection, const QString& method, const QVariantList& args,
              std::function<void(const QDBusMessage&)> onReply);
    void setState(State state);

    std::unique_ptr<HelperRegistration> m_registration;
    const QString m_busAddress;
    State m_state = State::notRegistered;
    QString m_connectionName;
    QDBusServiceWatcher* m_departures = nullptr;
    QTimer* m_heartbeat = nullptr;
    int m_connectionsOpened = 0;
};

} // namespace corvanite

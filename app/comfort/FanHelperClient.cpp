// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/FanHelperClient.h"

#include "app/base/Log.h"
#include "shared/FanHelperProtocol.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QTimer>

namespace corvanite {

namespace {

const QString kPath = QString::fromLatin1(FanHelperProtocol::objectPath);
const QString kInterface = QString::fromLatin1(FanHelperProtocol::interfaceName);
// Long enough for the bus to start the daemon; a lost reply is a transport error after that.
constexpr int kCallTimeoutMs = 15000;

QDBusMessage request(const QString& method, const QVariantList& args = {})
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(FanHelperProtocol::serviceName(), kPath, kInterface, method);
    message.setArguments(args);
    return message;
}

} // namespace

FanHelperClient::FanHelperClient(std::unique_ptr<HelperRegistration> registration,
                                 QString busAddress, QObject* parent)
    : QObject(parent)
    , m_registration(std::move(registration))
    , m_busAddress(std::move(busAddress))
{
    refreshState();
}

FanHelperClient::~FanHelperClient()
{
    if (!m_connectionName.isEmpty())
        QDBusConnection::disconnectFromBus(m_connectionName);
}

void FanHelperClient::setState(State state)
{
    m_state = state;
    Q_EMIT stateChanged();
}

void FanHelperClient::refreshState()
{
    setState(m_registration->status());
}

bool FanHelperClient::registerHelper()
{
    QString error;
    const bool ok = m_registration->registerHelper(error);
    refreshState();
    if (!ok)
        Log::debug(QStringLiteral("Helper registration failed: ") + error +
                   QStringLiteral("; state=") + fanHelperStateName(m_state));
    return ok;
}

void FanHelperClient::unregisterHelper()
{
    m_registration->unregisterHelper();
    delete m_heartbeat;
    m_heartbeat = nullptr;
    dropConnection();
    refreshState();
}

std::optional<QDBusConnection> FanHelperClient::proxy()
{
    if (!m_connectionName.isEmpty()) {
        QDBusConnection existing(m_connectionName);
        if (existing.isConnected())
            return existing;
        dropConnection();
    }
    const QString name = QStringLiteral("corvanite-fan-helper-%1").arg(m_connectionsOpened + 1);
    QDBusConnection connection =
        m_busAddress.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, name)
                               : QDBusConnection::connectToBus(m_busAddress, name);
    if (!connection.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return std::nullopt;
    }
    ++m_connectionsOpened;
    m_connectionName = name;
    // The daemon leaving the bus ends this connection's use; so does losing the bus itself.
    m_departures = new QDBusServiceWatcher(FanHelperProtocol::serviceName(), connection,
                                           QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_departures, &QDBusServiceWatcher::serviceUnregistered, this,
            &FanHelperClient::dropConnection, Qt::QueuedConnection);
    connection.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                       QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"),
                       this, SLOT(dropConnection()));
    return connection;
}

void FanHelperClient::dropConnection()
{
    delete m_departures;
    m_departures = nullptr;
    if (m_connectionName.isEmpty())
        return;
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_connectionName.clear();
}

void FanHelperClient::call(const QDBusConnection& connection, const QString& method,
                           const QVariantList& args,
                           std::function<void(const QDBusMessage&)> onReply)
{
    auto* watcher = new QDBusPendingCallWatcher(
        connection.asyncCall(request(method, args), kCallTimeoutMs), this);
    const QString name = m_connectionName;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, name, onReply = std::move(onReply)] {
                watcher->deleteLater();
                const QDBusMessage answer = watcher->reply();
                if (answer.type() != QDBusMessage::ReplyMessage) {
                    Log::debug(QStringLiteral("Helper XPC error: ") + answer.errorName() +
                               QStringLiteral(": ") + answer.errorMessage());
                    // A refusing or unreachable daemon: the next call starts over.
                    if (name == m_connectionName)
                        dropConnection();
                    return;
                }
                onReply(answer);
            });
}

void FanHelperClient::version(std::function<void(std::optional<QString>)> reply)
{
    const auto connection = proxy();
    if (!connection) {
        reply(std::nullopt);
        return;
    }
    call(*connection, QString::fromLatin1(FanHelperProtocol::getVersionMethod), {},
         [reply = std::move(reply)](const QDBusMessage& answer) {
             reply(answer.arguments().value(0).toString());
         });
}

void FanHelperClient::readFans(std::function<void(QList<FanReading>)> reply)
{
    const auto connection = proxy();
    if (!connection) {
        reply({});
        return;
    }
    call(*connection, QString::fromLatin1(FanHelperProtocol::readFansMethod), {},
         [reply = std::move(reply)](const QDBusMessage& answer) {
             const auto fans = FanReading::decodeList(answer.arguments().value(0).toByteArray());
             reply(fans.value_or(QList<FanReading>()));
         });
}

void FanHelperClient::setFanFloor(qint64 rpm, std::function<void(bool)> reply)
{
    const auto connection = proxy();
    if (!connection) {
        reply(false);
        return;
    }
    call(*connection, QString::fromLatin1(FanHelperProtocol::setFanFloorMethod),
         {QVariant::fromValue(qlonglong(rpm))},
         [reply = std::move(reply)](const QDBusMessage& answer) {
             reply(answer.arguments().value(0).toBool());
         });
    if (!m_heartbeat) {
        m_heartbeat = new QTimer(this);
        m_heartbeat->setInterval(kHeartbeatIntervalMs);
        connect(m_heartbeat, &QTimer::timeout, this, &FanHelperClient::sendHeartbeat);
        m_heartbeat->start();
    }
}

void FanHelperClient::releaseControl(std::function<void(bool)> reply)
{
    const auto connection = proxy();
    if (!connection) {
        reply(false);
        return;
    }
    call(*connection, QString::fromLatin1(FanHelperProtocol::releaseControlMethod), {},
         [reply = std::move(reply)](const QDBusMessage& answer) {
             reply(answer.arguments().value(0).toBool());
         });
    // Sent: from here on the daemon either releases or, hearing nothing more, lets go by itself.
    delete m_heartbeat;
    m_heartbeat = nullptr;
}

void FanHelperClient::sendHeartbeat()
{
    // Also opens a new connection when the last one went with the daemon.
    if (const auto connection = proxy())
        connection->send(request(QString::fromLatin1(FanHelperProtocol::heartbeatMethod)));
}

} // namespace corvanite

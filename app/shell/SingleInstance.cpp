// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/SingleInstance.h"

#include "app/base/Log.h"
#include "platform/InstanceLock.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace corvanite {

namespace {
constexpr int kAskTimeoutMs = 5000;
}

SingleInstance::SingleInstance(std::function<void()> showPanel, QObject* parent)
    : QObject(parent)
    , m_showPanel(std::move(showPanel))
{
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Outcome SingleInstance::claim(const QString& lockPath)
{
    if (QDBusConnection::sessionBus().isConnected())
        return claimOnBus();
    return claimLock(lockPath);
}

SingleInstance::Outcome SingleInstance::claimOnBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString name = QString::fromLatin1(kServiceName);
    const QString path = QString::fromLatin1(kObjectPath);
    // The object goes up first, so a start that loses the race a moment later finds it.
    bus.registerObject(path, this, QDBusConnection::ExportScriptableSlots);
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Outcome::First;
    bus.unregisterObject(path);
    if (!reply.isValid()) {
        m_message = QStringLiteral("Corvanite could not claim its session bus name: ") +
                    reply.error().message();
        return Outcome::Failed;
    }

    QDBusMessage ask = QDBusMessage::createMethodCall(name, path, QString::fromLatin1(kServiceName),
                                                      QStringLiteral("ShowPanel"));
    const QDBusMessage answer = bus.call(ask, QDBus::Block, kAskTimeoutMs);
    if (answer.type() == QDBusMessage::ErrorMessage)
        m_message = QStringLiteral("Corvanite is already running, but did not answer: ") +
                    answer.errorMessage();
    else
        m_message = QStringLiteral("Corvanite is already running; its panel was asked to open.");
    return Outcome::AskedRunning;
}

SingleInstance::Outcome SingleInstance::claimLock(const QString& lockPath)
{
    m_lock = std::make_unique<InstanceLock>(lockPath);
    if (m_lock->tryLock())
        return Outcome::First;
    if (!m_lock->error().isEmpty()) {
        m_message = QStringLiteral("Corvanite could not open its lock file %1: %2")
                        .arg(lockPath, m_lock->error());
        return Outcome::Failed;
    }
    const std::optional<qint64> pid = m_lock->holderPid();
    m_message = pid ? QStringLiteral("Corvanite already runs (pid %1).").arg(*pid)
                    : QStringLiteral("Corvanite already runs.");
    return Outcome::AlreadyRunning;
}

void SingleInstance::ShowPanel()
{
    Log::debug(QStringLiteral("Another start asked to show the panel"));
    if (m_showPanel)
        m_showPanel();
}

} // namespace corvanite

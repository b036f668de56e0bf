// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/PolkitAuthority.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMap>
#include <QVariantMap>

namespace corvanite {

namespace {

// The subject (sa{sv}): the caller's unique bus name, which polkit maps to its process and
// session itself, so a pid that is reused in between cannot be passed off as the caller.
QDBusArgument subjectOf(const QString& busName)
{
    QDBusArgument subject;
    subject.beginStructure();
    subject << QStringLiteral("system-bus-name");
    subject.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QDBusVariant>());
    subject.beginMapEntry();
    subject << QStringLiteral("name") << QDBusVariant(busName);
    subject.endMapEntry();
    subject.endMap();
    subject.endStructure();
    return subject;
}

QDBusArgument noDetails()
{
    QDBusArgument details;
    details.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QString>());
    details.endMap();
    return details;
}

} // namespace

bool PolkitAuthority::isAuthorized(const QString& busName, const QString& actionId) const
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.PolicyKit1"),
                                       QStringLiteral("/org/freedesktop/PolicyKit1/Authority"),
                                       QStringLiteral("org.freedesktop.PolicyKit1.Authority"),
                                       QStringLiteral("CheckAuthorization"));
    // Flags 0: never start an authentication dialog; a daemon has nobody to ask.
    call << QVariant::fromValue(subjectOf(busName)) << actionId << QVariant::fromValue(noDetails())
         << 0u << QString();
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, m_timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage ||
        reply.signature() != QLatin1String("(bba{ss})"))
        return false;
    const QDBusArgument result = reply.arguments().value(0).value<QDBusArgument>();
    bool authorized = false;
    bool challenge = false;
    result.beginStructure();
    result >> authorized >> challenge;
    result.endStructure();
    return authorized && !challenge;
}

} // namespace corvanite

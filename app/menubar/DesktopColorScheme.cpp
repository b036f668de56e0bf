// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/DesktopColorScheme.h"

#include "app/base/Log.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace corvanite {

namespace {

const QString kNamespace = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");

// Read wraps the value in one more variant than ReadOne; either may arrive as an argument.
QVariant unwrap(QVariant value)
{
    for (int depth = 0; depth < 3; ++depth) {
        if (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>()) {
            value = value.value<QDBusVariant>().variant();
        } else if (value.userType() == qMetaTypeId<QDBusArgument>()) {
            const QDBusArgument argument = value.value<QDBusArgument>();
            if (argument.currentType() != QDBusArgument::VariantType)
                break;
            QDBusVariant inner;
            argument >> inner;
            value = inner.variant();
        } else {
            break;
        }
    }
    return value;
}

} // namespace

DesktopColorScheme::DesktopColorScheme(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    if (!m_bus.isConnected())
        return;
    // The slot is found by its signature's type names, which only resolve once the type is known.
    qRegisterMetaType<QDBusVariant>();
    if (!m_bus.connect(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                       QLatin1String(kSettingsInterface), QStringLiteral("SettingChanged"), this,
                       SLOT(onSettingChanged(QString, QString, QDBusVariant)))) {
        Log::debug(QStringLiteral("⚠ Desktop colour scheme: cannot follow its changes: %1")
                       .arg(m_bus.lastError().message()));
    }
    read(QStringLiteral("ReadOne"));
}

DesktopColorScheme::Scheme DesktopColorScheme::fromPortalValue(const QVariant& value)
{
    bool ok = false;
    const uint number = unwrap(value).toUInt(&ok);
    if (!ok)
        return Scheme::Unknown;
    if (number == 1)
        return Scheme::Dark;
    if (number == 2)
        return Scheme::Light;
    return Scheme::Unknown;
}

void DesktopColorScheme::read(const QString& method)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(kPortalService), QLatin1String(kPortalPath),
                                       QLatin1String(kSettingsInterface), method);
    call << kNamespace << kKey;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, method](auto* w) {
        w->deleteLater();
        const QDBusMessage reply = w->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            apply(fromPortalValue(reply.arguments().first()));
            return;
        }
        // Portals before version 2 know only Read.
        if (method == QLatin1String("ReadOne") &&
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) {
            read(QStringLiteral("Read"));
            return;
        }
        Log::debug(QStringLiteral("Desktop colour scheme unknown: %1").arg(reply.errorMessage()));
    });
}

void DesktopColorScheme::onSettingChanged(const QString& nameSpace, const QString& key,
                                          const QDBusVariant& value)
{
    if (nameSpace == kNamespace && key == kKey)
        apply(fromPortalValue(value.variant()));
}

void DesktopColorScheme::apply(Scheme scheme)
{
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    Q_EMIT schemeChanged(scheme);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>

namespace corvanite {

// The desktop's light or dark preference as the freedesktop settings portal publishes it
// ("org.freedesktop.appearance" "color-scheme"), kept current through SettingChanged. Unknown
// where no portal answers or the desktop states no preference.
class DesktopColorScheme : public QObject {
    Q_OBJECT
public:
    enum class Scheme { Unknown, Dark, Light };

    static constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
    static constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
    static constexpr const char* kSettingsInterface = "org.freedesktop.portal.Settings";

    // Asks the portal on `bus` once, without waiting; the answer arrives as schemeChanged.
    explicit DesktopColorScheme(QDBusConnection bus, QObject* parent = nullptr);

    Scheme scheme() const { return m_scheme; }

    // The portal's number: 1 prefers dark, 2 prefers light, anything else states nothing.
    static Scheme fromPortalValue(const QVariant& value);

Q_SIGNALS:
    void schemeChanged(corvanite::DesktopColorScheme::Scheme scheme);

private Q_SLOTS:
    void onSettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

private:
    void read(const QString& method);
    void apply(Scheme scheme);

    QDBusConnection m_bus;
    Scheme m_scheme = Scheme::Unknown;
};

} // namespace corvanite

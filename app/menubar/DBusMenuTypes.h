// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QStringList>
#include <QVariantMap>

namespace corvanite {

// One node of a menu as com.canonical.dbusmenu sends it, (ia{sv}av): the item's id, its
// properties, and its children, each wrapped in a variant.
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// Whole trees alike. A named function, not operator==: Qt's meta-type traits cannot look into
// a type that holds a list of itself.
bool sameLayout(const DBusMenuLayoutItem& a, const DBusMenuLayoutItem& b);

// One item's properties, (ia{sv}), as GetGroupProperties answers.
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;

// An item's property names that went away, (ias), for ItemsPropertiesUpdated.
struct DBusMenuItemKeys {
    int id = 0;
    QStringList names;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// A key combination as the menu protocol spells it: [["Control", "q"]].
using DBusMenuShortcut = QList<QStringList>;

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemProperties& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& item);

// Makes the types known to Qt D-Bus; safe to call more than once.
void registerDBusMenuTypes();

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(corvanite::DBusMenuItemProperties)
Q_DECLARE_METATYPE(corvanite::DBusMenuItemKeys)

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/DBusMenuTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusVariant>

namespace corvanite {

class DBusMenuExporter;

// The com.canonical.dbusmenu interface of one DBusMenuExporter, as hosts see it on the bus.
class DBusMenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"com.canonical.dbusmenu\">\n"
                "    <property name=\"Version\" type=\"u\" access=\"read\"/>\n"
                "    <property name=\"TextDirection\" type=\"s\" access=\"read\"/>\n"
                "    <property name=\"Status\" type=\"s\" access=\"read\"/>\n"
                "    <property name=\"IconThemePath\" type=\"as\" access=\"read\"/>\n"
                "    <method name=\"GetLayout\">\n"
                "      <arg name=\"parentId\" type=\"i\" direction=\"in\"/>\n"
                "      <arg name=\"recursionDepth\" type=\"i\" direction=\"in\"/>\n"
                "      <arg name=\"propertyNames\" type=\"as\" direction=\"in\"/>\n"
                "      <arg name=\"revision\" type=\"u\" direction=\"out\"/>\n"
                "      <arg name=\"layout\" type=\"(ia{sv}av)\" direction=\"out\"/>\n"
                "    </method>\n"
                "    <method name=\"GetGroupProperties\">\n"
                "      <arg name=\"ids\" type=\"ai\" direction=\"in\"/>\n"
                "      <arg name=\"propertyNames\" type=\"as\" direction=\"in\"/>\n"
                "      <arg name=\"properties\" type=\"a(ia{sv})\" direction=\"out\"/>\n"
                "    </method>\n"
                "    <method name=\"GetProperty\">\n"
                "      <arg name=\"id\" type=\"i\" direction=\"in\"/>\n"
                "      <arg name=\"name\" type=\"s\" direction=\"in\"/>\n"
                "      <arg name=\"value\" type=\"v\" direction=\"out\"/>\n"
                "    </method>\n"
                "    <method name=\"Event\">\n"
                "      <arg name=\"id\" type=\"i\" direction=\"in\"/>\n"
                "      <arg name=\"eventId\" type=\"s\" direction=\"in\"/>\n"
                "      <arg name=\"data\" type=\"v\" direction=\"in\"/>\n"
                "      <arg name=\"timestamp\" type=\"u\" direction=\"in\"/>\n"
                "    </method>\n"
                "    <method name=\"AboutToShow\">\n"
                "      <arg name=\"id\" type=\"i\" direction=\"in\"/>\n"
                "      <arg name=\"needUpdate\" type=\"b\" direction=\"out\"/>\n"
                "    </method>\n"
                "    <method name=\"AboutToShowGroup\">\n"
                "      <arg name=\"ids\" type=\"ai\" direction=\"in\"/>\n"
                "      <arg name=\"updatesNeeded\" type=\"ai\" direction=\"out\"/>\n"
                "      <arg name=\"idErrors\" type=\"ai\" direction=\"out\"/>\n"
                "    </method>\n"
                "    <signal name=\"ItemsPropertiesUpdated\">\n"
                "      <arg name=\"updatedProps\" type=\"a(ia{sv})\" direction=\"out\"/>\n"
                "      <arg name=\"removedProps\" type=\"a(ias)\" direction=\"out\"/>\n"
                "    </signal>\n"
                "    <signal name=\"LayoutUpdated\">\n"
                "      <arg name=\"revision\" type=\"u\" direction=\"out\"/>\n"
                "      <arg name=\"parent\" type=\"i\" direction=\"out\"/>\n"
                "    </signal>\n"
                "    <signal name=\"ItemActivationRequested\">\n"
                "      <arg name=\"id\" type=\"i\" direction=\"out\"/>\n"
                "      <arg name=\"timestamp\" type=\"u\" direction=\"out\"/>\n"
                "    </signal>\n"
                "  </interface>\n")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit DBusMenuAdaptor(DBusMenuExporter* exporter);

    uint version() const { return 3; }
    QString textDirection() const;
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   corvanite::DBusMenuLayoutItem& layout);
    corvanite::DBusMenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                                             const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

Q_SIGNALS:
    void ItemsPropertiesUpdated(const corvanite::DBusMenuItemPropertiesList& updatedProps,
                                const corvanite::DBusMenuItemKeysList& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenuExporter* m_exporter;
};

} // namespace corvanite

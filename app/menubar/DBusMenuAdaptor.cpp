// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/DBusMenuAdaptor.h"

#include "app/menubar/DBusMenuExporter.h"

#include <QGuiApplication>

namespace corvanite {

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenuExporter* exporter)
    : QDBusAbstractAdaptor(exporter)
    , m_exporter(exporter)
{
    setAutoRelaySignals(false);
}

QString DBusMenuAdaptor::textDirection() const
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl")
                                                                 : QStringLiteral("ltr");
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayoutItem& layout)
{
    layout = m_exporter->layout(parentId, recursionDepth, propertyNames);
    return m_exporter->revision();
}

DBusMenuItemPropertiesList DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids,
                                                               const QStringList& propertyNames)
{
    return m_exporter->groupProperties(ids, propertyNames);
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name)
{
    return QDBusVariant(m_exporter->property(id, name));
}

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant&, uint)
{
    m_exporter->event(id, eventId);
}

bool DBusMenuAdaptor::AboutToShow(int id)
{
    return m_exporter->aboutToShow(id);
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors)
{
    QList<int> updates;
    idErrors.clear();
    for (int id : ids) {
        if (m_exporter->aboutToShow(id))
            updates.append(id);
    }
    return updates;
}

} // namespace corvanite

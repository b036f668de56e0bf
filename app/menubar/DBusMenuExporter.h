// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/DBusMenuTypes.h"

#include <QAction>
#include <QDBusConnection>
#include <QHash>
#include <QMenu>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace corvanite {

class DBusMenuAdaptor;

// Publishes a QMenu over com.canonical.dbusmenu, the way most status-area hosts read an item's
// menu. The menu is built afresh by `build` whenever a host is about to show it, so its ticks,
// enabled items and texts are those of that moment; a host's "clicked" triggers the same QAction
// a popped-up menu would, so disabled items stay inert.
class DBusMenuExporter : public QObject {
    Q_OBJECT
public:
    using Builder = std::function<std::unique_ptr<QMenu>()>;

    DBusMenuExporter(QDBusConnection bus, QString path, Builder build, QObject* parent = nullptr);
    ~DBusMenuExporter() override;

    bool isExported() const { return m_exported; }
    QString path() const { return m_path; }
    uint revision() const { return m_revision; }

    // The protocol's calls, through the adaptor.
    DBusMenuLayoutItem layout(int parentId, int depth, const QStringList& names);
    DBusMenuItemPropertiesList groupProperties(const QList<int>& ids, const QStringList& names);
    QVariant property(int id, const QString& name);
    void event(int id, const QString& eventId);
    bool aboutToShow(int id);

private:
    // Builds the menu again; true (and a new revision, announced) when hosts would see a change.
    bool rebuild();
    void ensureBuilt();
    DBusMenuLayoutItem node(int id, QMenu* menu, QAction* action, int depth,
                            const QStringList& names) const;
    QVariantMap propertiesOf(QAction* action, const QStringList& names) const;
    void numberActions(QMenu* menu);

    QDBusConnection m_bus;
    QString m_path;
    Builder m_build;
    DBusMenuAdaptor* m_adaptor = nullptr;
    std::unique_ptr<QMenu> m_menu;
    QHash<int, QPointer<QAction>> m_actions;
    QHash<QAction*, int> m_ids;
    DBusMenuLayoutItem m_published;
    uint m_revision = 0;
    bool m_exported = false;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/DBusMenuExporter.h"

#include "app/base/Log.h"
#include "app/menubar/DBusMenuAdaptor.h"

#include <QDBusError>
#include <QKeySequence>
#include <QTimer>

namespace corvanite {

namespace {

// Qt marks the access key with '&', the menu protocol with '_'.
QString protocolLabel(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('_')) {
            out += QStringLiteral("__");
        } else if (c == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            } else {
                out += QLatin1Char('_');
            }
        } else {
            out += c;
        }
    }
    return out;
}

DBusMenuShortcut protocolShortcut(const QKeySequence& sequence)
{
    DBusMenuShortcut shortcut;
    for (int i = 0; i < sequence.count(); ++i) {
        const QKeyCombination combination = sequence[i];
        const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
        QStringList keys;
        if (modifiers & Qt::ControlModifier)
            keys << QStringLiteral("Control");
        if (modifiers & Qt::AltModifier)
            keys << QStringLiteral("Alt");
        if (modifiers & Qt::ShiftModifier)
            keys << QStringLiteral("Shift");
        if (modifiers & Qt::MetaModifier)
            keys << QStringLiteral("Super");
        keys << QKeySequence(combination.key()).toString(QKeySequence::PortableText).toLower();
        shortcut.append(keys);
    }
    return shortcut;
}

QVariantMap filtered(const QVariantMap& all, const QStringList& names)
{
    if (names.isEmpty())
        return all;
    QVariantMap out;
    for (const QString& name : names) {
        const auto it = all.constFind(name);
        if (it != all.constEnd())
            out.insert(name, *it);
    }
    return out;
}

} // namespace

DBusMenuExporter::DBusMenuExporter(QDBusConnection bus, QString path, Builder build,
                                   QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_path(std::move(path))
    , m_build(std::move(build))
{
    registerDBusMenuTypes();
    m_adaptor = new DBusMenuAdaptor(this);
    if (!m_bus.isConnected())
        return;
    m_exported = m_bus.registerObject(m_path, this, QDBusConnection::ExportAdaptors);
    if (!m_exported) {
        Log::debug(QStringLiteral("⚠ Status item: could not export its menu at %1: %2")
                       .arg(m_path, m_bus.lastError().message()));
    }
}

DBusMenuExporter::~DBusMenuExporter()
{
    if (m_exported)
        m_bus.unregisterObject(m_path);
}

void DBusMenuExporter::numberActions(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        const int id = int(m_actions.size()) + 1;
        m_actions.insert(id, action);
        m_ids.insert(action, id);
        if (QMenu* submenu = action->menu())
            numberActions(submenu);
    }
}

bool DBusMenuExporter::rebuild()
{
    m_actions.clear();
    m_ids.clear();
    m_menu = m_build ? m_build() : nullptr;
    if (!m_menu)
        m_menu = std::make_unique<QMenu>();
    numberActions(m_menu.get());
    const DBusMenuLayoutItem fresh = node(0, m_menu.get(), nullptr, -1, {});
    if (m_revision > 0 && sameLayout(fresh, m_published))
        return false;
    m_published = fresh;
    ++m_revision;
    Q_EMIT m_adaptor->LayoutUpdated(m_revision, 0);
    return true;
}

void DBusMenuExporter::ensureBuilt()
{
    if (!m_menu)
        rebuild();
}

QVariantMap DBusMenuExporter::propertiesOf(QAction* action, const QStringList& names) const
{
    QVariantMap all;
    if (!action) {
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        return filtered(all, names);
    }
    if (action->isSeparator()) {
        all.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        all.insert(QStringLiteral("label"), protocolLabel(action->text()));
        if (action->menu())
            all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        if (action->isCheckable()) {
            // Items of one value among several read as a tick, like the popped-up menu draws them.
            all.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
            all.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
        }
        if (!action->shortcut().isEmpty())
            all.insert(QStringLiteral("shortcut"),
                       QVariant::fromValue(protocolShortcut(action->shortcut())));
    }
    all.insert(QStringLiteral("enabled"), action->isEnabled());
    all.insert(QStringLiteral("visible"), action->isVisible());
    return filtered(all, names);
}

DBusMenuLayoutItem DBusMenuExporter::node(int id, QMenu* menu, QAction* action, int depth,
                                          const QStringList& names) const
{
    DBusMenuLayoutItem item;
    item.id = id;
    item.properties = propertiesOf(action, names);
    if (menu && depth != 0) {
        for (QAction* child : menu->actions()) {
            item.children.append(
                node(m_ids.value(child), child->menu(), child, depth < 0 ? -1 : depth - 1, names));
        }
    }
    return item;
}

DBusMenuLayoutItem DBusMenuExporter::layout(int parentId, int depth, const QStringList& names)
{
    ensureBuilt();
    if (parentId == 0)
        return node(0, m_menu.get(), nullptr, depth, names);
    QAction* action = m_actions.value(parentId);
    if (!action)
        return DBusMenuLayoutItem{parentId, {}, {}};
    return node(parentId, action->menu(), action, depth, names);
}

DBusMenuItemPropertiesList DBusMenuExporter::groupProperties(const QList<int>& ids,
                                                             const QStringList& names)
{
    ensureBuilt();
    DBusMenuItemPropertiesList out;
    for (int id : ids) {
        if (id == 0) {
            out.append({0, propertiesOf(nullptr, names)});
        } else if (QAction* action = m_actions.value(id)) {
            out.append({id, propertiesOf(action, names)});
        }
    }
    return out;
}

QVariant DBusMenuExporter::property(int id, const QString& name)
{
    const DBusMenuItemPropertiesList found = groupProperties({id}, {name});
    return found.isEmpty() ? QVariant() : found.first().properties.value(name);
}

void DBusMenuExporter::event(int id, const QString& eventId)
{
    if (eventId != QLatin1String("clicked"))
        return;
    QPointer<QAction> action = m_actions.value(id);
    if (!action || action->menu() || action->isSeparator())
        return;
    // After the call returns: an action may quit or rebuild the menu under this very call.
    QTimer::singleShot(0, this, [action] {
        if (action)
            action->trigger();
    });
}

bool DBusMenuExporter::aboutToShow(int id)
{
    // Submenus come with the whole menu; only the top level is built afresh.
    if (id != 0)
        return false;
    return rebuild();
}

} // namespace corvanite

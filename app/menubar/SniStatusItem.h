// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/DesktopColorScheme.h"
#include "app/menubar/SniTypes.h"
#include "app/menubar/StatusItem.h"

#include <QDBusConnection>

namespace corvanite {

class DBusMenuExporter;
class SniItemAdaptor;

// A StatusNotifierItem of our own on the session bus: the icon travels as pixmap data, the
// status text as the Ayatana label (which GNOME's and MATE's hosts draw beside the icon) and,
// for hosts that draw no label, as two stacked figures filling a square icon, since most hosts
// fit every icon into a square. The live text is also the tool tip's title (some hosts show
// only the title). The menu is published over com.canonical.dbusmenu for hosts that read it
// themselves; hosts that call ContextMenu get our own popup.
//
// The ink follows the desktop's colour scheme where the settings portal publishes it; where it
// does not, the image brings its own dark backdrop and light ink.
//
// Hosts fetch a property again after each change signal, so a signal is sent only when the
// published value really changed: a tick that leaves the figures as they were costs nothing.
class SniStatusItem : public StatusItem {
    Q_OBJECT
public:
    static constexpr const char* kWatcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
    static constexpr const char* kItemPath = "/StatusNotifierItem";
    static constexpr const char* kMenuPath = "/MenuBar";

    // Takes the name "org.kde.StatusNotifierItem-<pid>-<n>" on `bus`, exports the item and
    // registers it with the watcher, again whenever a watcher appears later.
    explicit SniStatusItem(QDBusConnection bus, QObject* parent = nullptr);
    ~SniStatusItem() override;

    QString serviceName() const { return m_service; }
    QString id() const { return QStringLiteral("corvanite"); }
    QString status() const;
    SniPixmapList iconPixmaps() const { return m_pixmaps; }
    SniToolTip sniToolTip() const;
    // The menu's object path, or "/NO_DBUSMENU" when it could not be published.
    QString menuPath() const;
    DesktopColorScheme::Scheme colorScheme() const { return m_scheme->scheme(); }

    // Calls from the host, through the adaptor.
    void hostActivate(int x, int y);
    void hostContextMenu(int x, int y);

    // Pixel heights of the images offered to hosts; they pick the nearest to their slot.
    static constexpr int kImageHeights[] = {22, 44};

protected:
    void changed(Aspect aspect) override;

private:
    void registerWithWatcher();
    void refreshPixmaps();
    QImage render(int size, const QColor& ink) const;

    QDBusConnection m_bus;
    QString m_service;
    SniItemAdaptor* m_adaptor = nullptr;
    DBusMenuExporter* m_menu = nullptr;
    DesktopColorScheme* m_scheme = nullptr;
    QString m_publishedLabel;
    QString m_publishedGuide;
    SniPixmapList m_pixmaps;
    bool m_exported = false;
};

} // namespace corvanite

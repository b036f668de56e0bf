#pragma once

#include "app/menubar/SniTypes.h"
#include "app/menubar/StatusItem.h"

#include <QDBusConnection>

namespace corvanite {

class SniItemAdaptor;

// A StatusNotifierItem of our own on the session bus: the icon travels as pixmap data, the
// status text as the Ayatana label (which GNOME's and MATE's hosts draw beside the icon) and,
// for hosts that draw no label, as compact columns inside the icon image. The full text is also
// the tool tip's description.
//
// Hosts fetch a property again after each change signal, so a signal is sent only when the
// published value really changed: a tick that leaves the figures as they were costs nothing.
class SniStatusItem : public StatusItem {
    Q_OBJECT
public:
    static constexpr const char* kWatcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
    static constexpr const char* kItemPath = "/StatusNotifierItem";

    // Takes the name "org.kde.StatusNotifierItem-<pid>-<n>" on `bus`, exports the item and
    // registers it with the watcher, again whenever a watcher appears later.
    explicit SniStatusItem(QDBusConnection bus, QObject* parent = nullptr);
    ~SniStatusItem() override;

    QString serviceName() const { return m_service; }
    QString id() const { return QStringLiteral("corvanite"); }
    QString status() const;
    SniPixmapList iconPixmaps() const { return m_pixmaps; }
    SniToolTip sniToolTip() const;

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

    QDBusConnection m_bus;
    QString m_service;
    SniItemAdaptor* m_adaptor = nullptr;
    SniPixmapList m_pixmaps;
    bool m_exported = false;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/SniStatusItem.h"

#include "app/base/Log.h"
#include "app/menubar/DBusMenuExporter.h"
#include "app/menubar/SniItemAdaptor.h"
#include "app/menubar/StatusIcon.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

#include <atomic>

namespace corvanite {

namespace {

std::atomic<int> s_instanceCounter{0};

// Some hosts send (0, 0) when they do not know where the click was; the pointer is then the
// best guess for where to open things.
QPoint hostPoint(int x, int y)
{
    if (x == 0 && y == 0)
        return QCursor::pos();
    return {x, y};
}

} // namespace

SniStatusItem::SniStatusItem(QDBusConnection bus, QObject* parent)
    : StatusItem(parent)
    , m_bus(std::move(bus))
    , m_service(QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(++s_instanceCounter))
{
    registerSniTypes();
    m_adaptor = new SniItemAdaptor(this);
    m_scheme = new DesktopColorScheme(m_bus, this);
    connect(m_scheme, &DesktopColorScheme::schemeChanged, this, &SniStatusItem::refreshPixmaps);
    m_menu = new DBusMenuExporter(
        m_bus, QLatin1String(kMenuPath), [this] { return m_menuSource ? m_menuSource() : nullptr; },
        this);
    if (!m_bus.isConnected()) {
        Log::debug(QStringLiteral("⚠ Status item: no session bus; the item is not published"));
        return;
    }
    if (!m_bus.registerObject(QLatin1String(kItemPath), this, QDBusConnection::ExportAdaptors)) {
        Log::debug(QStringLiteral("⚠ Status item: could not export %1: %2")
                       .arg(QLatin1String(kItemPath), m_bus.lastError().message()));
        return;
    }
    if (!m_bus.registerService(m_service)) {
        Log::debug(QStringLiteral("⚠ Status item: could not take the bus name %1: %2")
                       .arg(m_service, m_bus.lastError().message()));
        m_bus.unregisterObject(QLatin1String(kItemPath));
        return;
    }
    m_exported = true;

    // A desktop shell restart brings a new watcher that knows nothing of us.
    auto* watcher = new QDBusServiceWatcher(QLatin1String(kWatcherService), m_bus,
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &SniStatusItem::registerWithWatcher);
    registerWithWatcher();
}

SniStatusItem::~SniStatusItem()
{
    if (m_exported) {
        m_bus.unregisterService(m_service);
        m_bus.unregisterObject(QLatin1String(kItemPath));
    }
}

QString SniStatusItem::status() const
{
    return isVisible() ? QStringLiteral("Active") : QStringLiteral("Passive");
}

SniToolTip SniStatusItem::sniToolTip() const
{
    if (label().isEmpty())
        return SniToolTip{{}, {}, toolTip(), {}};
    return SniToolTip{{}, {}, label(), toolTip()};
}

QString SniStatusItem::menuPath() const
{
    return m_menu->isExported() ? m_menu->path() : QStringLiteral("/NO_DBUSMENU");
}

void SniStatusItem::hostActivate(int x, int y)
{
    Q_EMIT activateRequested(hostPoint(x, y));
}

void SniStatusItem::hostContextMenu(int x, int y)
{
    Q_EMIT contextMenuRequested(hostPoint(x, y));
}

void SniStatusItem::registerWithWatcher()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kWatcherService), QLatin1String(kWatcherPath), QLatin1String(kWatcherService),
        QStringLiteral("RegisterStatusNotifierItem"));
    call << m_service;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<> reply = *w;
        if (reply.isError()) {
            Log::debug(QStringLiteral("⚠ Status item: StatusNotifierWatcher refused %1: %2")
                           .arg(m_service, reply.error().message()));
        } else {
            Log::debug(QStringLiteral("Status item registered with StatusNotifierWatcher as %1")
                           .arg(m_service));
        }
        w->deleteLater();
    });
}

QImage SniStatusItem::render(int size, const QColor& ink) const
{
    if (!compactColumns().isEmpty()) {
        // The first column holds the figures that matter most (CPU over memory).
        for (const QStringList& column : compactColumns()) {
            if (!column.isEmpty())
                return StatusImage::stacked(column, size, 1.0, ink);
        }
    }
    return StatusImage::icon(icon(), size, 1.0, ink);
}

void SniStatusItem::refreshPixmaps()
{
    SniPixmapList pixmaps;
    const DesktopColorScheme::Scheme scheme = m_scheme->scheme();
    const bool backdrop = scheme == DesktopColorScheme::Scheme::Unknown;
    const QColor ink =
        inkFor(scheme == DesktopColorScheme::Scheme::Light ? PanelShade::Light : PanelShade::Dark);
    if (!compactColumns().isEmpty() || !icon().isNull()) {
        for (int size : kImageHeights) {
            const QImage image = render(size, ink);
            pixmaps.append(SniPixmap::fromImage(backdrop ? StatusImage::onBackdrop(image) : image));
        }
    }
    if (pixmaps == m_pixmaps)
        return;
    m_pixmaps = pixmaps;
    Q_EMIT m_adaptor->NewIcon();
}

void SniStatusItem::changed(Aspect aspect)
{
    switch (aspect) {
    case Aspect::Title:
        Q_EMIT m_adaptor->NewTitle();
        break;
    case Aspect::Icon:
        refreshPixmaps();
        break;
    case Aspect::ToolTip:
        Q_EMIT m_adaptor->NewToolTip();
        break;
    case Aspect::Text:
        if (label() != m_publishedLabel || labelGuide() != m_publishedGuide) {
            m_publishedLabel = label();
            m_publishedGuide = labelGuide();
            Q_EMIT m_adaptor->XAyatanaNewLabel(label(), labelGuide());
            Q_EMIT m_adaptor->NewToolTip();
        }
        refreshPixmaps();
        break;
    case Aspect::Visibility:
        Q_EMIT m_adaptor->NewStatus(status());
        break;
    case Aspect::Font:
        // Hosts draw the label in their own font; the icon's figures have their own face.
        break;
    }
}

} // namespace corvanite

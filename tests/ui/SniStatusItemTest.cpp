// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/PrivateBus.h"
#include "tests/support/Screenshots.h"
#include "tests/support/WaitFor.h"
#include "tests/ui/MenuBarFixture.h"

#include "app/menubar/DesktopStatusArea.h"
#include "app/menubar/SniItemAdaptor.h"
#include "app/menubar/SniStatusItem.h"
#include "app/menubar/StatusIcon.h"
#include "app/menubar/StatusItemFactory.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QMenu>

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::PrivateBus;

namespace {

// Stands in for the desktop's StatusNotifierWatcher: records who registered which item.
class TestWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
public:
    QStringList registered;
    QStringList senders;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service)
    {
        registered.append(service);
        senders.append(message().service());
    }
};

// Counts one bus signal as a host would see it.
class SignalCounter : public QObject {
    Q_OBJECT
public:
    int count = 0;
    QList<QVariantList> arguments;
public Q_SLOTS:
    void onSignal(const QDBusMessage& message)
    {
        ++count;
        arguments.append(message.arguments());
    }
};

template <typename T> T demarshal(const QVariant& value)
{
    return qdbus_cast<T>(value.value<QDBusArgument>());
}

class SniOnPrivateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!bus.isRunning())
            GTEST_FAIL() << bus.error().toStdString();
        host = bus.connect(QStringLiteral("host"));
        ASSERT_TRUE(host.registerService(QLatin1String(SniStatusItem::kWatcherService)));
        ASSERT_TRUE(host.registerObject(QLatin1String(SniStatusItem::kWatcherPath), &watcher,
                                        QDBusConnection::ExportAllSlots));
        itemBus = bus.connect(QStringLiteral("item"));
    }

    QVariantMap properties(const QString& service)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, QLatin1String(SniStatusItem::kItemPath),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
        call << QStringLiteral("org.kde.StatusNotifierItem");
        const QDBusMessage reply = PrivateBus::callAndWait(host, call);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().isEmpty() ? QVariantMap()
                                           : demarshal<QVariantMap>(reply.arguments().first());
    }

    QDBusMessage callItem(const QString& service, const QString& method, int x, int y)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, QLatin1String(SniStatusItem::kItemPath),
                                           QStringLiteral("org.kde.StatusNotifierItem"), method);
        call << x << y;
        return PrivateBus::callAndWait(host, call);
    }

    PrivateBus bus;
    TestWatcher watcher;
    QDBusConnection host{QString()};
    QDBusConnection itemBus{QString()};
};

TEST_F(SniOnPrivateBus, RegistersAndPublishesLabelIconAndToolTip)
{
    ASSERT_EQ(availableStatusItemKind(itemBus), StatusItemKind::StatusNotifier);
    SniStatusItem item(itemBus);
    item.setTitle(QStringLiteral("Corvanite"));
    item.setToolTip(QStringLiteral("Corvanite system monitor"));
    item.setIcon(statusIconSet());
    item.setLabel(QStringLiteral("CPU 23%  MEM 61%"), QStringLiteral("CPU 100%  MEM 100%"));
    item.setCompactColumns({{QStringLiteral("23%"), QStringLiteral("61%")}});

    ASSERT_TRUE(corvanite::test::waitFor([&] { return !watcher.registered.isEmpty(); }));
    EXPECT_EQ(watcher.registered.first(), item.serviceName());
    EXPECT_TRUE(item.serviceName().startsWith(
        QStringLiteral("org.kde.StatusNotifierItem-%1-").arg(QCoreApplication::applicationPid())));
    EXPECT_EQ(watcher.senders.first(), itemBus.baseService());

    const QVariantMap props = properties(item.serviceName());
    EXPECT_EQ(props.value(QStringLiteral("XAyatanaLabel")).toString(),
              QStringLiteral("CPU 23%  MEM 61%"));
    EXPECT_EQ(props.value(QStringLiteral("XAyatanaLabelGuide")).toString(),
              QStringLiteral("CPU 100%  MEM 100%"));
    EXPECT_EQ(props.value(QStringLiteral("Title")).toString(), QStringLiteral("Corvanite"));
    EXPECT_EQ(props.value(QStringLiteral("Status")).toString(), QStringLiteral("Active"));
    EXPECT_EQ(props.value(QStringLiteral("ItemIsMenu")).toBool(), false);
    EXPECT_EQ(props.value(QStringLiteral("Menu")).value<QDBusObjectPath>().path(),
              QStringLiteral("/MenuBar"));

    const auto pixmaps = demarshal<SniPixmapList>(props.value(QStringLiteral("IconPixmap")));
    ASSERT_EQ(pixmaps.size(), 2);
    EXPECT_EQ(pixmaps[0].height, 22);
    EXPECT_EQ(pixmaps[1].height, 44);
    const QImage image = pixmaps[0].toImage();
    ASSERT_FALSE(image.isNull());
    // Hosts fit icons into a square: the figures fill a square image of their own.
    EXPECT_EQ(image.width(), image.height());
    EXPECT_EQ(pixmaps[1].width, 44);
    // No colour scheme is published on this bus: the item brings its own dark backdrop, light
    // figures on it.
    int light = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200)
                (c.lightness() > 170 ? light : dark) += 1;
        }
    }
    EXPECT_GT(light, 30);
    EXPECT_GT(dark, 150);
    image.save(corvanite::test::screenshotPath(QStringLiteral("sni-icon-22.png")));
    pixmaps[1].toImage().save(corvanite::test::screenshotPath(QStringLiteral("sni-icon-44.png")));

    // Some hosts show only the title: it carries the live figures.
    const auto tip = demarshal<SniToolTip>(props.value(QStringLiteral("ToolTip")));
    EXPECT_EQ(tip.title, QStringLiteral("CPU 23%  MEM 61%"));
    EXPECT_EQ(tip.description, QStringLiteral("Corvanite system monitor"));
}

TEST_F(SniOnPrivateBus, HostClicksReachTheItemAtTheHostsPoint)
{
    SniStatusItem item(itemBus);
    QList<QPoint> activated;
    QList<QPoint> menus;
    QObject::connect(&item, &StatusItem::activateRequested, [&](QPoint p) { activated.append(p); });
    QObject::connect(&item, &StatusItem::contextMenuRequested, [&](QPoint p) { menus.append(p); });

    EXPECT_EQ(callItem(item.serviceName(), QStringLiteral("Activate"), 640, 12).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(callItem(item.serviceName(), QStringLiteral("SecondaryActivate"), 1, 2).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(callItem(item.serviceName(), QStringLiteral("ContextMenu"), 700, 20).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_EQ(activated, (QList<QPoint>{{640, 12}}));
    EXPECT_EQ(menus, (QList<QPoint>{{700, 20}}));
}

TEST_F(SniOnPrivateBus, ChangeSignalsReachHostsOnlyForRealChangesAndAReturningWatcherIsToldAgain)
{
    SniStatusItem item(itemBus);
    ASSERT_TRUE(corvanite::test::waitFor([&] { return watcher.registered.size() == 1; }));
    SignalCounter labels;
    SignalCounter icons;
    const QString iface = QStringLiteral("org.kde.StatusNotifierItem");
    const QString path = QLatin1String(SniStatusItem::kItemPath);
    ASSERT_TRUE(host.connect(item.serviceName(), path, iface, QStringLiteral("XAyatanaNewLabel"),
                             &labels, SLOT(onSignal(QDBusMessage))));
    ASSERT_TRUE(host.connect(item.serviceName(), path, iface, QStringLiteral("NewIcon"), &icons,
                             SLOT(onSignal(QDBusMessage))));

    for (int tick = 0; tick < 3; ++tick) {
        item.setLabel(QStringLiteral("23% 61%"), QStringLiteral("100% 100%"));
        item.setCompactColumns({{QStringLiteral("23%"), QStringLiteral("61%")}});
    }
    item.setLabel(QStringLiteral("24% 61%"), QStringLiteral("100% 100%"));
    ASSERT_TRUE(corvanite::test::waitFor([&] { return labels.count >= 2; }));
    corvanite::test::spinEventLoop(200);
    EXPECT_EQ(labels.count, 2);
    EXPECT_EQ(labels.arguments.last(),
              (QVariantList{QStringLiteral("24% 61%"), QStringLiteral("100% 100%")}));
    EXPECT_EQ(icons.count, 1);

    // The desktop shell restarts: its new watcher must learn about us again.
    ASSERT_TRUE(host.unregisterService(QLatin1String(SniStatusItem::kWatcherService)));
    ASSERT_TRUE(host.registerService(QLatin1String(SniStatusItem::kWatcherService)));
    EXPECT_TRUE(corvanite::test::waitFor([&] { return watcher.registered.size() == 2; }));
}

TEST(SniStatusItem, SettingAValueTwiceNotifiesOnce)
{
    SniStatusItem item(QDBusConnection(QStringLiteral("not-connected")));
    auto* adaptor = item.findChild<SniItemAdaptor*>();
    ASSERT_NE(adaptor, nullptr);
    int titles = 0, icons = 0, tips = 0, labels = 0, statuses = 0;
    QObject::connect(adaptor, &SniItemAdaptor::NewTitle, [&] { ++titles; });
    QObject::connect(adaptor, &SniItemAdaptor::NewIcon, [&] { ++icons; });
    QObject::connect(adaptor, &SniItemAdaptor::NewToolTip, [&] { ++tips; });
    QObject::connect(adaptor, &SniItemAdaptor::XAyatanaNewLabel, [&] { ++labels; });
    QObject::connect(adaptor, &SniItemAdaptor::NewStatus, [&] { ++statuses; });

    const QIcon icon = statusIconSet();
    for (int i = 0; i < 2; ++i) {
        item.setTitle(QStringLiteral("Corvanite"));
        item.setIcon(icon);
        item.setToolTip(QStringLiteral("tip"));
        item.setLabel(QStringLiteral("5% 48%"), QStringLiteral("100% 100%"));
        item.setVisible(false);
        item.setFixedDigits(true);
    }
    EXPECT_EQ(titles, 1);
    EXPECT_EQ(icons, 1);
    EXPECT_EQ(tips, 2); // the tool tip itself, then the label as its description
    EXPECT_EQ(labels, 1);
    EXPECT_EQ(statuses, 1);
    EXPECT_EQ(item.status(), QStringLiteral("Passive"));

    // A new icon object that draws the same pixels sends nothing.
    item.setIcon(statusIconSet());
    EXPECT_EQ(icons, 1);
}

// The whole path as a desktop sees it: the application's controller behind a StatusNotifierItem,
// a host reading it and clicking it over the bus.
class SniControllerOnPrivateBus : public corvanite::test::MenuBarFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
        host = bus.connect(QStringLiteral("host"));
        ASSERT_TRUE(host.registerService(QLatin1String(SniStatusItem::kWatcherService)));
        ASSERT_TRUE(host.registerObject(QLatin1String(SniStatusItem::kWatcherPath), &watcher,
                                        QDBusConnection::ExportAllSlots));
    }

    QDBusMessage call(const QString& service, const QString& interface, const QString& method,
                      const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            service, QLatin1String(SniStatusItem::kItemPath), interface, method);
        message.setArguments(arguments);
        return PrivateBus::callAndWait(host, message);
    }

    PrivateBus bus;
    TestWatcher watcher;
    QDBusConnection host{QString()};
};

TEST_F(SniControllerOnPrivateBus, HostSeesTheLiveTextAndItsClicksOpenMenuAndPanel)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setMenuBarMetrics({MenuBarMetric::Cpu, MenuBarMetric::Memory});
    auto controller = make(std::make_unique<SniStatusItem>(bus.connect(QStringLiteral("app"))));
    controller->setup();
    const QString service = static_cast<SniStatusItem&>(controller->statusItem()).serviceName();
    ASSERT_TRUE(corvanite::test::waitFor([&] { return watcher.registered.contains(service); }));

    const auto label = [&] {
        const QDBusMessage reply =
            call(service, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("XAyatanaLabel")});
        return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    };
    EXPECT_EQ(label(), QStringLiteral("CPU 23%  MEM 61%"));
    readings = {42, 61, 0, 0};
    tick();
    EXPECT_EQ(label(), QStringLiteral("CPU 42%  MEM 61%"));

    const QString sni = QStringLiteral("org.kde.StatusNotifierItem");
    call(service, sni, QStringLiteral("ContextMenu"), {100, 30});
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->pos(), QPoint(100, 30));
    menu->close();

    call(service, sni, QStringLiteral("Activate"), {500, 30});
    EXPECT_TRUE(panel.isShown());
    call(service, sni, QStringLiteral("Activate"), {500, 30});
    EXPECT_FALSE(panel.isShown());
}

// The session's own status area on a private bus: a watcher that starts after the app (the
// usual order at login) and goes away again.
class FollowingOnPrivateBus : public corvanite::test::MenuBarFixture {
protected:
    PrivateBus bus;
    TestWatcher watcher;
};

TEST_F(FollowingOnPrivateBus, AWatcherStartedLaterGetsTheItemAndOneThatGoesBringsBackTheWindow)
{
    ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
    settings.setMenuBarMode(MenuBarMode::Text);
    DesktopStatusArea area(bus.connect(QStringLiteral("app")));
    auto controller = makeFollowing(area);
    controller->setup();
    // No watcher and, on this display, no tray either.
    EXPECT_FALSE(item->hasButton());
    EXPECT_TRUE(panel.isWindowed());

    QDBusConnection host = bus.connect(QStringLiteral("host"));
    ASSERT_TRUE(host.registerObject(QLatin1String(SniStatusItem::kWatcherPath), &watcher,
                                    QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(host.registerService(QLatin1String(SniStatusItem::kWatcherService)));
    ASSERT_TRUE(corvanite::test::waitFor([&] { return !watcher.registered.isEmpty(); }));
    auto* sni = qobject_cast<SniStatusItem*>(item);
    ASSERT_NE(sni, nullptr);
    EXPECT_EQ(watcher.registered.last(), sni->serviceName());
    EXPECT_EQ(sni->label(), QStringLiteral("CPU 23%  MEM 61%"));
    EXPECT_FALSE(panel.isShown());

    ASSERT_TRUE(host.unregisterService(QLatin1String(SniStatusItem::kWatcherService)));
    ASSERT_TRUE(corvanite::test::waitFor([&] { return !item->hasButton(); }));
    EXPECT_TRUE(panel.isWindowed());
    EXPECT_EQ(quitRequests, 0);
}

TEST(SniPixmap, ArgbInNetworkByteOrder)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0x10, 0x20, 0x30, 0x80));
    image.setPixel(1, 0, qRgba(0xff, 0x00, 0x00, 0xff));
    const SniPixmap pixmap = SniPixmap::fromImage(image);
    EXPECT_EQ(pixmap.width, 2);
    EXPECT_EQ(pixmap.height, 1);
    EXPECT_EQ(pixmap.bytes, QByteArray::fromHex("80102030ffff0000"));
    EXPECT_EQ(pixmap.toImage(), image);
}

TEST(StatusItemFactory, NoWatcherAndNoTrayMeansNoButton)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
    const QDBusConnection connection = bus.connect(QStringLiteral("lonely"));
    EXPECT_EQ(availableStatusItemKind(connection), StatusItemKind::None);
    EXPECT_FALSE(makeStatusItem(connection)->hasButton());
}

} // namespace

#include "SniStatusItemTest.moc"

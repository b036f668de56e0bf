// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/PrivateBus.h"
#include "tests/support/Screenshots.h"
#include "tests/support/WaitFor.h"
#include "tests/ui/MenuBarFixture.h"

#include "app/menubar/DBusMenuTypes.h"
#include "app/menubar/DesktopColorScheme.h"
#include "app/menubar/SniStatusItem.h"

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <gtest/gtest.h>

using namespace corvanite;
using corvanite::test::PrivateBus;

namespace {

class NullWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString&) {}
};

class LayoutSignals : public QObject {
    Q_OBJECT
public:
    QList<uint> revisions;
public Q_SLOTS:
    void onSignal(const QDBusMessage& message)
    {
        revisions.append(message.arguments().value(0).toUInt());
    }
};

// A menu as a host imports it: what it would show, item by item.
struct ImportedItem {
    int id = 0;
    QString label;
    bool separator = false;
    bool enabled = true;
    std::optional<bool> ticked;
    QList<ImportedItem> children;
};

ImportedItem imported(const DBusMenuLayoutItem& node)
{
    ImportedItem item;
    item.id = node.id;
    const QVariantMap& p = node.properties;
    item.separator = p.value(QStringLiteral("type")).toString() == QLatin1String("separator");
    item.label = p.value(QStringLiteral("label")).toString();
    item.enabled = p.value(QStringLiteral("enabled"), true).toBool();
    if (p.value(QStringLiteral("toggle-type")).toString() == QLatin1String("checkmark"))
        item.ticked = p.value(QStringLiteral("toggle-state")).toInt() == 1;
    for (const DBusMenuLayoutItem& child : node.children)
        item.children.append(imported(child));
    return item;
}

const ImportedItem* find(const ImportedItem& menu, const QString& label)
{
    for (const ImportedItem& child : menu.children) {
        if (child.label == label)
            return &child;
        if (const ImportedItem* deeper = find(child, label))
            return deeper;
    }
    return nullptr;
}

QStringList labels(const ImportedItem& menu)
{
    QStringList out;
    for (const ImportedItem& child : menu.children)
        out.append(child.separator ? QStringLiteral("-") : child.label);
    return out;
}

// The application's controller behind a StatusNotifierItem, and a host on the same private bus
// that reads the item's Menu property and imports that menu over com.canonical.dbusmenu.
class DBusMenuHost : public corvanite::test::MenuBarFixture {
protected:
    void SetUp() override
    {
        registerDBusMenuTypes();
        ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
        host = bus.connect(QStringLiteral("host"));
        ASSERT_TRUE(host.registerService(QLatin1String(SniStatusItem::kWatcherService)));
        ASSERT_TRUE(host.registerObject(QLatin1String(SniStatusItem::kWatcherPath), &watcher,
                                        QDBusConnection::ExportAllSlots));
        controller = make(std::make_unique<SniStatusItem>(bus.connect(QStringLiteral("app"))));
        controller->setup();
        service = static_cast<SniStatusItem&>(controller->statusItem()).serviceName();

        QDBusMessage get = QDBusMessage::createMethodCall(
            service, QLatin1String(SniStatusItem::kItemPath),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("Menu");
        const QDBusMessage reply = PrivateBus::callAndWait(host, get);
        menuPath = reply.arguments()
                       .value(0)
                       .value<QDBusVariant>()
                       .variant()
                       .value<QDBusObjectPath>()
                       .path();
    }

    QDBusMessage callMenu(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            service, menuPath, QStringLiteral("com.canonical.dbusmenu"), method);
        message.setArguments(arguments);
        return PrivateBus::callAndWait(host, message);
    }

    bool aboutToShow()
    {
        return callMenu(QStringLiteral("AboutToShow"), {0}).arguments().value(0).toBool();
    }

    ImportedItem layout()
    {
        const QDBusMessage reply = callMenu(QStringLiteral("GetLayout"), {0, -1, QStringList()});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        EXPECT_EQ(reply.signature(), QStringLiteral("u(ia{sv}av)"));
        DBusMenuLayoutItem root;
        if (reply.arguments().size() == 2)
            reply.arguments().at(1).value<QDBusArgument>() >> root;
        return imported(root);
    }

    void click(int id)
    {
        callMenu(QStringLiteral("Event"),
                 {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
        // The action runs once the call has been answered.
        QCoreApplication::processEvents();
        deliverQueued();
    }

    PrivateBus bus;
    NullWatcher watcher;
    QDBusConnection host{QString()};
    std::unique_ptr<MenuBarController> controller;
    QString service;
    QString menuPath;
};

TEST_F(DBusMenuHost, HostImportsTheSameMenuWithItsTicksAndEnableRules)
{
    ASSERT_EQ(menuPath, QStringLiteral("/MenuBar"));
    availableVersion = QStringLiteral("2.1");
    aboutToShow();
    const ImportedItem menu = layout();
    EXPECT_EQ(labels(menu),
              (QStringList{QStringLiteral("Corvanite"), QStringLiteral("-"),
                           QStringLiteral("Display"), QStringLiteral("Show Network Speed"),
                           QStringLiteral("Compact Text"), QStringLiteral("Panel Skin"),
                           QStringLiteral("-"), QStringLiteral("Refresh Interval"),
                           QStringLiteral("-"), L(QStringLiteral("menu.updateAvailable"), {"2.1"}),
                           QStringLiteral("Settings…"), QStringLiteral("Quit Corvanite")}));
    EXPECT_FALSE(menu.children.at(0).enabled); // the title

    // Icon mode (the default): the text-only items are greyed but keep their ticks.
    const ImportedItem* netSpeed = find(menu, QStringLiteral("Show Network Speed"));
    ASSERT_NE(netSpeed, nullptr);
    EXPECT_FALSE(netSpeed->enabled);
    ASSERT_TRUE(netSpeed->ticked.has_value());
    const ImportedItem* display = find(menu, QStringLiteral("Display"));
    ASSERT_NE(display, nullptr);
    ASSERT_EQ(display->children.size(), 2);
    EXPECT_EQ(display->children[0].ticked, std::optional<bool>(true));
    EXPECT_EQ(display->children[1].ticked, std::optional<bool>(false));
    const ImportedItem* interval = find(menu, QStringLiteral("Refresh Interval"));
    ASSERT_NE(interval, nullptr);
    ASSERT_EQ(interval->children.size(), 3);
    EXPECT_EQ(interval->children[1].ticked, std::optional<bool>(true)); // 2 s

    // A disabled item does nothing when a host sends a click anyway.
    const bool networkShown = settings.menuBarMetrics().contains(MenuBarMetric::Network);
    click(netSpeed->id);
    EXPECT_EQ(settings.menuBarMetrics().contains(MenuBarMetric::Network), networkShown);

    // Choosing text mode acts as in the popped-up menu; the next opening shows the new ticks.
    click(display->children[1].id);
    EXPECT_EQ(settings.menuBarMode(), MenuBarMode::Text);
    EXPECT_TRUE(aboutToShow());
    const ImportedItem after = layout();
    EXPECT_TRUE(find(after, QStringLiteral("Show Network Speed"))->enabled);
    EXPECT_EQ(find(after, QStringLiteral("Display"))->children[1].ticked,
              std::optional<bool>(true));
    // Nothing changed since: the host need not fetch the layout again.
    EXPECT_FALSE(aboutToShow());

    click(interval->children[0].id);
    EXPECT_EQ(settings.refreshInterval(), 1.0);
    click(find(after, QStringLiteral("Quit Corvanite"))->id);
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(DBusMenuHost, ChangesAnnounceANewRevisionAndGroupPropertiesAnswerPerItem)
{
    layout();
    const QDBusMessage first = callMenu(QStringLiteral("GetLayout"), {0, 0, QStringList()});
    const uint before = first.arguments().value(0).toUInt();

    LayoutSignals updates;
    ASSERT_TRUE(host.connect(service, menuPath, QStringLiteral("com.canonical.dbusmenu"),
                             QStringLiteral("LayoutUpdated"), &updates,
                             SLOT(onSignal(QDBusMessage))));
    settings.setMenuBarMode(MenuBarMode::Text);
    EXPECT_TRUE(aboutToShow());
    const uint after =
        callMenu(QStringLiteral("GetLayout"), {0, 0, QStringList()}).arguments().value(0).toUInt();
    EXPECT_GT(after, before);
    ASSERT_TRUE(corvanite::test::waitFor([&] { return !updates.revisions.isEmpty(); }));
    EXPECT_EQ(updates.revisions.last(), after);

    const ImportedItem menu = layout();
    const ImportedItem* quit = find(menu, QStringLiteral("Quit Corvanite"));
    ASSERT_NE(quit, nullptr);
    const QDBusMessage group =
        callMenu(QStringLiteral("GetGroupProperties"),
                 {QVariant::fromValue(QList<int>{quit->id}), QStringList{QStringLiteral("label")}});
    ASSERT_EQ(group.type(), QDBusMessage::ReplyMessage) << group.errorMessage().toStdString();
    DBusMenuItemPropertiesList properties;
    group.arguments().value(0).value<QDBusArgument>() >> properties;
    ASSERT_EQ(properties.size(), 1);
    EXPECT_EQ(properties[0].id, quit->id);
    EXPECT_EQ(properties[0].properties,
              (QVariantMap{{QStringLiteral("label"), QStringLiteral("Quit Corvanite")}}));
}

// Stands in for the desktop's settings portal.
class TestPortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    uint scheme = 0;

public Q_SLOTS:
    QDBusVariant ReadOne(const QString&, const QString&) { return QDBusVariant(scheme); }

Q_SIGNALS:
    void SettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);
};

QColor inkOf(const QImage& image)
{
    // The most opaque pixel's colour.
    QColor best(Qt::transparent);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() > best.alpha())
                best = image.pixelColor(x, y);
    return best;
}

TEST(DesktopColorSchemeOnPrivateBus, TheFiguresFollowThePortalsSchemeAndItsChanges)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning()) << bus.error().toStdString();
    QDBusConnection portalBus = bus.connect(QStringLiteral("portal"));
    TestPortal portal;
    portal.scheme = 2; // light
    ASSERT_TRUE(portalBus.registerObject(QLatin1String(DesktopColorScheme::kPortalPath), &portal,
                                         QDBusConnection::ExportAllSlots |
                                             QDBusConnection::ExportAllSignals));
    ASSERT_TRUE(portalBus.registerService(QLatin1String(DesktopColorScheme::kPortalService)));

    SniStatusItem item(bus.connect(QStringLiteral("item")));
    item.setStatusText(QStringLiteral("CPU 23%  MEM 61%"), QStringLiteral("CPU 100%  MEM 100%"),
                       {{QStringLiteral("23%"), QStringLiteral("61%")}});
    ASSERT_TRUE(corvanite::test::waitFor(
        [&] { return item.colorScheme() == DesktopColorScheme::Scheme::Light; }));
    // A light panel: dark figures straight on it, no backdrop.
    QImage image = item.iconPixmaps().first().toImage();
    EXPECT_LT(inkOf(image).lightness(), 80);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    item.iconPixmaps().last().toImage().save(
        corvanite::test::screenshotPath(QStringLiteral("sni-icon-light-scheme-44.png")));

    Q_EMIT portal.SettingChanged(QStringLiteral("org.freedesktop.appearance"),
                                 QStringLiteral("color-scheme"), QDBusVariant(1u));
    ASSERT_TRUE(corvanite::test::waitFor(
        [&] { return item.colorScheme() == DesktopColorScheme::Scheme::Dark; }));
    image = item.iconPixmaps().first().toImage();
    EXPECT_GT(inkOf(image).lightness(), 180);

    // Other settings leave it alone.
    Q_EMIT portal.SettingChanged(QStringLiteral("org.freedesktop.appearance"),
                                 QStringLiteral("accent-color"), QDBusVariant(2u));
    corvanite::test::spinEventLoop(100);
    EXPECT_EQ(item.colorScheme(), DesktopColorScheme::Scheme::Dark);
}

TEST(DesktopColorScheme, PortalValuesAsPublished)
{
    using S = DesktopColorScheme::Scheme;
    const struct {
        QVariant value;
        S expected;
    } cases[] = {
        {QVariant(1u), S::Dark},
        {QVariant(2u), S::Light},
        {QVariant(0u), S::Unknown},
        {QVariant(7u), S::Unknown},
        {QVariant(QStringLiteral("dark")), S::Unknown},
        {QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(1u)))), S::Dark},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopColorScheme::fromPortalValue(c.value), c.expected) << c.value.typeName();
}

} // namespace

#include "DBusMenuTest.moc"

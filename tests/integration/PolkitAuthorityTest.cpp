// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/PolkitAuthority.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/WaitFor.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace corvanite;
using namespace corvanite::test;

namespace {

// Stands in for polkitd on the private bus: records what it was asked and answers as staged.
class FakeAuthority : public QDBusVirtualObject {
public:
    bool authorized = true;
    bool challenge = false;
    QString subjectKind;
    QString subjectName;
    QString action;
    uint flags = 99;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("CheckAuthorization") ||
            message.signature() != QLatin1String("(sa{sv})sa{ss}us"))
            return false;
        const QDBusArgument subject = message.arguments().at(0).value<QDBusArgument>();
        subject.beginStructure();
        subject >> subjectKind;
        QVariantMap details;
        subject >> details;
        subject.endStructure();
        subjectName = details.value(QStringLiteral("name")).toString();
        action = message.arguments().at(1).toString();
        flags = message.arguments().at(3).toUInt();

        QDBusArgument result;
        result.beginStructure();
        result << authorized << challenge;
        result.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QString>());
        result.endMap();
        result.endStructure();
        connection.send(message.createReply(QVariantList{QVariant::fromValue(result)}));
        return true;
    }
};

// The authority blocks while it waits, so it asks from another thread while this one answers.
bool askFromAnotherThread(const PolkitAuthority& authority, const QString& name)
{
    std::atomic<bool> done = false;
    bool answer = false;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        answer = authority.isAuthorized(name, QStringLiteral("com.corvanite.helper.control"));
        done = true;
    }));
    worker->start();
    waitFor([&] { return done.load(); }, 10000);
    worker->wait();
    return answer;
}

} // namespace

TEST(PolkitAuthority, asksForTheCallersBusNameWithoutInteraction)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.error());
    QDBusConnection polkit = bus.connect(QStringLiteral("fake-polkit"));
    FakeAuthority fake;
    ASSERT_TRUE(polkit.registerVirtualObject(
        QStringLiteral("/org/freedesktop/PolicyKit1/Authority"), &fake));
    ASSERT_TRUE(polkit.registerService(QStringLiteral("org.freedesktop.PolicyKit1")));
    const PolkitAuthority authority(bus.connect(QStringLiteral("helper-side")), 3000);

    EXPECT_TRUE(askFromAnotherThread(authority, QStringLiteral(":1.42")));
    EXPECT_EQ(fake.subjectKind, QStringLiteral("system-bus-name"));
    EXPECT_EQ(fake.subjectName, QStringLiteral(":1.42"));
    EXPECT_EQ(fake.action, QStringLiteral("com.corvanite.helper.control"));
    EXPECT_EQ(fake.flags, 0u);

    fake.authorized = false;
    EXPECT_FALSE(askFromAnotherThread(authority, QStringLiteral(":1.42")));
    fake.authorized = true;
    fake.challenge = true;
    EXPECT_FALSE(askFromAnotherThread(authority, QStringLiteral(":1.42")));
}

TEST(PolkitAuthority, noAuthorityOnTheBusRefuses)
{
    PrivateBus bus;
    ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.error());
    const PolkitAuthority authority(bus.connect(QStringLiteral("lonely-helper")), 3000);
    EXPECT_FALSE(authority.isAuthorized(QStringLiteral(":1.7"),
                                        QStringLiteral("com.corvanite.helper.control")));
}

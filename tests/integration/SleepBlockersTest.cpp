// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/AssertionsReader.h"
#include "platform/linux/LogindInhibitors.h"

#include "tests/support/FixtureTree.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/WaitFor.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusVirtualObject>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace corvanite;
using corvanite::test::FixtureTree;
using corvanite::test::PrivateBus;

namespace {

// One entry of the login manager's inhibitor list: what, who, why, mode, uid, pid.
struct InhibitorEntry {
    QString what, who, why, mode;
    quint32 uid = 1000;
    quint32 pid = 0;
};

} // namespace

Q_DECLARE_METATYPE(InhibitorEntry)
Q_DECLARE_METATYPE(QList<InhibitorEntry>)

namespace {

QDBusArgument& operator<<(QDBusArgument& arg, const InhibitorEntry& e)
{
    arg.beginStructure();
    arg << e.what << e.who << e.why << e.mode << e.uid << e.pid;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, InhibitorEntry& e)
{
    arg.beginStructure();
    arg >> e.what >> e.who >> e.why >> e.mode >> e.uid >> e.pid;
    arg.endStructure();
    return arg;
}

// The login manager as far as the inhibitor list goes; `fail` answers with an error instead.
class LogindStandIn final : public QDBusVirtualObject {
public:
    QList<InhibitorEntry> inhibitors;
    bool fail = false;
    std::atomic<int> calls{0};

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != QLatin1String("ListInhibitors"))
            return false;
        ++calls;
        if (fail) {
            connection.send(message.createErrorReply(
                QStringLiteral("org.freedesktop.DBus.Error.Failed"), QStringLiteral("no")));
            return true;
        }
        connection.send(message.createReply(QVariant::fromValue(inhibitors)));
        return true;
    }
};

class SleepBlockersOnPrivateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        qDBusRegisterMetaType<InhibitorEntry>();
        qDBusRegisterMetaType<QList<InhibitorEntry>>();
        if (!bus.isRunning())
            GTEST_SKIP() << "no dbus-daemon: " << bus.error().toStdString();
        service = bus.connect(QStringLiteral("logind-stand-in"));
        ASSERT_TRUE(
            service.registerVirtualObject(QStringLiteral("/org/freedesktop/login1"), &logind));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.login1")));
        client = bus.connect(QStringLiteral("sampling"));
    }

    // Reads as a sampling pass does: on its own thread, while this one answers for logind.
    AssertionMap readOnSamplingThread(AssertionsReader& reader)
    {
        AssertionMap result;
        std::atomic<bool> done{false};
        std::thread pass([&] {
            result = reader.readSleepBlockers();
            done = true;
        });
        corvanite::test::waitFor([&] { return done.load(); }, 5000);
        pass.join();
        return result;
    }

    PrivateBus bus;
    QDBusConnection service{QString()};
    QDBusConnection client{QString()};
    LogindStandIn logind;
    FixtureTree tree{QStringLiteral("sensors/laptop")};
};

} // namespace

TEST_F(SleepBlockersOnPrivateBus, blockingLocksBecomeAssertionsOfTheirHolders)
{
    logind.inhibitors = {
        {QStringLiteral("sleep:idle"), QStringLiteral("Firefox"), QStringLiteral("video"),
         QStringLiteral("block"), 1000, 4242},
        {QStringLiteral("idle"), QStringLiteral("Firefox"), QStringLiteral("video"),
         QStringLiteral("block"), 1000, 4242},
        {QStringLiteral("sleep"), QStringLiteral("NetworkManager"), QStringLiteral("tidy up"),
         QStringLiteral("delay"), 0, 900},
        {QStringLiteral("handle-lid-switch"), QStringLiteral("GNOME"), QStringLiteral("lid"),
         QStringLiteral("block"), 1000, 900},
        {QStringLiteral("idle"), QStringLiteral("audio"), QStringLiteral("playing"),
         QStringLiteral("block"), 1000, 777}, // coreaudiod: system noise
        {QStringLiteral("sleep"), QStringLiteral("init"), QStringLiteral("x"),
         QStringLiteral("block"), 0, 1},
        {QStringLiteral("sleep"), QStringLiteral("gone"), QStringLiteral("x"),
         QStringLiteral("block"), 1000, 5151}, // no such process: no name, still counted
    };
    AssertionsReader reader(std::make_unique<LogindInhibitors>(tree.root(), client));
    const AssertionMap blockers = readOnSamplingThread(reader);
    const AssertionMap expected = {
        {4242,
         {QStringLiteral("PreventSystemSleep"), QStringLiteral("PreventUserIdleSystemSleep"),
          QStringLiteral("PreventUserIdleSystemSleep")}},
        {5151, {QStringLiteral("PreventSystemSleep")}}};
    EXPECT_EQ(blockers, expected);
}

TEST_F(SleepBlockersOnPrivateBus, failedOrMissingManagerGivesAnEmptyMap)
{
    logind.fail = true;
    logind.inhibitors = {{QStringLiteral("sleep"), QStringLiteral("a"), QStringLiteral("b"),
                          QStringLiteral("block"), 1000, 4242}};
    AssertionsReader reader(std::make_unique<LogindInhibitors>(tree.root(), client));
    EXPECT_TRUE(readOnSamplingThread(reader).isEmpty());
    EXPECT_EQ(logind.calls, 1);

    service.unregisterService(QStringLiteral("org.freedesktop.login1"));
    logind.fail = false;
    EXPECT_TRUE(readOnSamplingThread(reader).isEmpty());

    // No bus at all.
    AssertionsReader unconnected(std::make_unique<LogindInhibitors>(
        tree.root(), QDBusConnection(QStringLiteral("never-connected"))));
    EXPECT_TRUE(unconnected.readSleepBlockers().isEmpty());
}

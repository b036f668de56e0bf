// A stand-in for the application's side of comfort cooling, for the tests that kill it: asks
// the fan daemon on the bus at ADDRESS for a floor of RPM, prints "holding" once it is granted
// (or "refused") and keeps the floor alive with a heartbeat every second until it is killed.
//
//   corvanite_fan_floor_client ADDRESS RPM
#include "shared/FanHelperProtocol.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTimer>

#include <cstdio>

using namespace corvanite;

namespace {

QDBusMessage helperCall(const char* method)
{
    return QDBusMessage::createMethodCall(
        QString::fromLatin1(fanHelperMachName), QString::fromLatin1(FanHelperProtocol::objectPath),
        QString::fromLatin1(FanHelperProtocol::interfaceName), QString::fromLatin1(method));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvanite_fan_floor_client ADDRESS RPM\n");
        return 2;
    }
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromLocal8Bit(argv[1]), QStringLiteral("helper"));
    if (!bus.isConnected()) {
        std::fprintf(stderr, "no bus at %s\n", argv[1]);
        return 1;
    }
    QDBusMessage floor = helperCall(FanHelperProtocol::setFanFloorMethod);
    floor << qlonglong(QByteArray(argv[2]).toLongLong());
    const QDBusMessage reply = bus.call(floor, QDBus::Block, 10000);
    const bool granted =
        reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
    std::printf(granted ? "holding\n" : "refused\n");
    std::fflush(stdout);
    if (!granted)
        return 1;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout,
                     [&bus] { bus.send(helperCall(FanHelperProtocol::heartbeatMethod)); });
    heartbeat.start(1000);
    return app.exec();
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// corvanite-helper: the root daemon that holds the fans at a floor for the application.
//
//   corvanite-helper                 serve on the system bus (started by the bus or systemd)
//   corvanite-helper --release-fans  put every fan back under automatic control and exit; the
//                                    systemd unit runs this after the daemon stops, however it
//                                    stopped (SIGTERM, crash, kill)
//   corvanite-helper --version       print the version
//
// For tests only: --test-simulated-smc=FILE serves on the bus that activated it (or the
// session bus) over a simulated SMC whose keys are kept in FILE, does not ask polkit and mirrors
// the system log lines to stderr.

#include "helper/CallerCheck.h"
#include "helper/FanHelper.h"
#include "helper/FanHelperService.h"
#include "helper/FanOperations.h"
#include "helper/HelperDevice.h"
#include "helper/SystemLog.h"
#include "platform/Clock.h"
#include "shared/FanHelperProtocol.h"
#include "shared/SMCFan.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSocketNotifier>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace corvanite;

namespace {

struct Options {
    bool version = false;
    bool releaseOnly = false;
    QString simulatedState;
    bool valid = true;
};

Options parse(int argc, char** argv)
{
    Options options;
    const char* const testPrefix = "--test-simulated-smc=";
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--version") == 0)
            options.version = true;
        else if (std::strcmp(arg, "--release-fans") == 0)
            options.releaseOnly = true;
        else if (std::strncmp(arg, testPrefix, std::strlen(testPrefix)) == 0 &&
                 arg[std::strlen(testPrefix)] != '\0')
            options.simulatedState = QString::fromLocal8Bit(arg + std::strlen(testPrefix));
        else
            options.valid = false;
    }
    return options;
}

// SIGTERM and SIGINT end the event loop instead of the process, so the fans are released
// before exit.
std::unique_ptr<QSocketNotifier> watchTerminationSignals(QCoreApplication& app)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0)
        return nullptr;
    const int fd = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd < 0)
        return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &app, [&app, fd] {
        signalfd_siginfo info{};
        while (read(fd, &info, sizeof info) == sizeof info) {
        }
        app.quit();
    });
    return notifier;
}

QDBusConnection busFor(const Options& options)
{
    if (options.simulatedState.isEmpty())
        return QDBusConnection::systemBus();
    if (qEnvironmentVariableIsSet("DBUS_STARTER_ADDRESS"))
        return QDBusConnection::connectToBus(QDBusConnection::ActivationBus,
                                             QStringLiteral("corvanite-helper"));
    return QDBusConnection::sessionBus();
}

int serve(QCoreApplication& app, const Options& options, const FanOperations& fans)
{
    const bool testing = !options.simulatedState.isEmpty();
    const auto signals = watchTerminationSignals(app);

    QThread control;
    control.setObjectName(QStringLiteral("com.corvanite.helper.control"));
    auto helper = std::make_unique<FanHelper>(fans, Clock::system());
    auto service =
        std::make_unique<FanHelperService>(*helper, CallerCheck::forThisProcess(), !testing);
    helper->moveToThread(&control);
    service->moveToThread(&control);
    control.start();

    QDBusConnection bus = busFor(options);
    if (!bus.isConnected()) {
        std::fprintf(stderr, "corvanite-helper: no bus connection: %s\n",
                     qPrintable(bus.lastError().message()));
        control.quit();
        control.wait();
        return 1;
    }
    if (!bus.registerObject(QString::fromLatin1(FanHelperProtocol::objectPath), service.get(),
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(FanHelperProtocol::serviceName())) {
        std::fprintf(stderr, "corvanite-helper: cannot own %s: %s\n", fanHelperMachName,
                     qPrintable(bus.lastError().message()));
        control.quit();
        control.wait();
        return 1;
    }

    // Without its bus the daemon can serve nobody; ending lets the service manager start it
    // afresh, and the exit below hands the fans back first.
    bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), &app,
                SLOT(quit()));

    const int status = app.exec();

    bus.unregisterObject(QString::fromLatin1(FanHelperProtocol::objectPath));
    // Leaving while forcing would strand the fans at the floor; hand them back first.
    QMetaObject::invokeMethod(
        helper.get(),
        [&helper] {
            if (helper->isForcing())
                helper->releaseControl();
        },
        Qt::BlockingQueuedConnection);
    control.quit();
    control.wait();
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    if (!options.valid) {
        std::fprintf(stderr, "usage: corvanite-helper [--version | --release-fans]\n");
        return 2;
    }
    if (options.version) {
        std::printf("%s\n", fanHelperVersion);
        return 0;
    }
    SystemLog::open(!options.simulatedState.isEmpty());
    const auto device = makeHelperDevice(options.simulatedState);
    SMCFan smc(*device);
    // Opened once up front; a failure is not final, every exchange tries again.
    smc.open();
    const FanOperations fans(smc);
    if (options.releaseOnly) {
        fans.releaseAllFans();
        return 0;
    }
    QCoreApplication app(argc, argv);
    return serve(app, options, fans);
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A small program the comfort-cooling end-to-end test starts: the real fan controller and
// helper client, talking to a fan helper on the bus at BUS_ADDRESS, with a surface sensor that
// reads SURFACE degrees and a target of 38 °C. It reports on standard output, one event per
// line: "floor RPM true|false" for each floor reply. SIGTERM ends it the way the application
// ends, releasing the fans first.
//
//   corvanite_comfort_probe BUS_ADDRESS SURFACE

#include "app/comfort/FanController.h"
#include "app/comfort/FanHelperClient.h"
#include "app/comfort/HelperRegistration.h"
#include "app/shell/TerminationSignals.h"

#include <QCoreApplication>

#include <cstdio>

using namespace corvanite;

namespace {

// The daemon on the test's bus needs no registration.
class RegisteredHelper final : public HelperRegistration {
public:
    FanHelperState status() override { return FanHelperState::enabled; }
    bool registerHelper(QString&) override { return true; }
    void unregisterHelper() override {}
};

// Reports every floor the controller sends and what came back.
class ReportingClient final : public FanHelperApi {
public:
    explicit ReportingClient(FanHelperClient& client)
        : m_client(client)
    {
    }
    FanHelperState state() const override { return m_client.state(); }
    void refreshState() override { m_client.refreshState(); }
    bool registerHelper() override { return m_client.registerHelper(); }
    void readFans(std::function<void(QList<FanReading>)> reply) override
    {
        m_client.readFans(std::move(reply));
    }
    void setFanFloor(qint64 rpm, std::function<void(bool)> reply) override
    {
        m_client.setFanFloor(rpm, [rpm, reply = std::move(reply)](bool ok) {
            std::printf("floor %lld %s\n", static_cast<long long>(rpm), ok ? "true" : "false");
            std::fflush(stdout);
            reply(ok);
        });
    }
    void releaseControl(std::function<void(bool)> reply) override
    {
        m_client.releaseControl(std::move(reply));
    }

private:
    FanHelperClient& m_client;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvanite_comfort_probe BUS_ADDRESS SURFACE\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    const QString address = QString::fromLocal8Bit(argv[1]);
    const double surface = QByteArray(argv[2]).toDouble();

    FanHelperClient client(std::make_unique<RegisteredHelper>(), address);
    ReportingClient reporting(client);
    FanController controller(
        FanController::Dependencies{&reporting,
                                    [surface](std::string_view key) -> std::optional<double> {
                                        if (key == "Ts0P")
                                            return surface;
                                        return std::nullopt;
                                    },
                                    {QStringLiteral("Ts0P"), QStringLiteral("Ts1P")},
                                    [] { return true; },
                                    [](bool) {},
                                    [] { return 38.0; },
                                    [](double) {}});

    TerminationSignals termination;
    termination.install();
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app,
                     &QCoreApplication::quit);
    // As the application's termination does: release without waiting for the answer.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &client,
                     [&client] { client.releaseControl([](bool) {}); });

    controller.startIfEnabled();
    return app.exec();
}

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/FanController.h"
#include "app/comfort/FanHelperApi.h"

#include "tests/support/LogWatch.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace corvanite;
using corvanite::test::LogWatch;

namespace {

// Records what the controller asks of the helper; replies are given by the test.
class RecordingClient final : public FanHelperApi {
public:
    FanHelperState current = FanHelperState::enabled;
    FanHelperState afterRegistering = FanHelperState::enabled;
    int registrations = 0;
    QList<qint64> floors;
    int releases = 0;
    std::function<void(bool)> pendingFloorReply;
    QList<FanReading> fans;

    FanHelperState state() const override { return current; }
    void refreshState() override {}
    bool registerHelper() override
    {
        ++registrations;
        current = afterRegistering;
        return current == FanHelperState::enabled;
    }
    void readFans(std::function<void(QList<FanReading>)> reply) override { reply(fans); }
    void setFanFloor(qint64 rpm, std::function<void(bool)> reply) override
    {
        floors << rpm;
        pendingFloorReply = std::move(reply);
    }
    void releaseControl(std::function<void(bool)> reply) override
    {
        ++releases;
        reply(true);
    }
    void answerFloor(bool ok)
    {
        auto reply = std::move(pendingFloorReply);
        pendingFloorReply = nullptr;
        reply(ok);
    }
};

class FanControllerTest : public ::testing::Test {
protected:
    FanControllerTest()
        : controller(
              FanController::Dependencies{&client,
                                          [this](std::string_view key) -> std::optional<double> {
                                              const auto it = keys.find(std::string(key));
                                              if (it == keys.end())
                                                  return std::nullopt;
                                              return it->second;
                                          },
                                          {QStringLiteral("Ts0P"), QStringLiteral("Ts1P")},
                                          [this] { return enabled; },
                                          [this](bool on) { enabled = on; },
                                          [this] { return target; },
                                          [this](double c) { target = c; }})
    {
        keys["F0Mx"] = 6000;
    }

    void surface(std::optional<double> celsius)
    {
        if (celsius)
            keys["Ts1P"] = *celsius;
        else
            keys.erase("Ts1P");
    }

    RecordingClient client;
    std::map<std::string, double> keys;
    bool enabled = true;
    double target = 38;
    FanController controller;
};

} // namespace

TEST_F(FanControllerTest, workedValuesGiveTheFloorAndTheLogLine)
{
    struct Case {
        double surface;
        double duty;
        qint64 floor;
        const char* line;
    };
    const Case cases[] = {
        {38.2, 0.468, 2800,
         "Comfort cooling: surface 38.2°C, target 38°C; fan floor 2800 rpm at 46% duty"},
        {41.0, 0.725, 4300,
         "Comfort cooling: surface 41.0°C, target 38°C; fan floor 4300 rpm at 72% duty"},
        {44.0, 1.0, 6000,
         "Comfort cooling: surface 44.0°C, target 38°C; fan floor 6000 rpm at 100% duty"},
        {51.0, 1.0, 6000, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(FanController::dutyFor(c.surface, 38), c.duty, 1e-3) << c.surface;
        EXPECT_EQ(FanController::floorFor(FanController::dutyFor(c.surface, 38), 6000), c.floor);
    }
    EXPECT_EQ(FanController::floorFor(1.0, 5999), 5900);
    EXPECT_NEAR(FanController::dutyFor(38.1, 38), 0.459, 1e-3);

    // Through the controller, against a fan whose maximum is read once.
    for (const Case& c : cases) {
        if (!c.line)
            continue;
        FanControllerTest::keys["Ts0P"] = c.surface;
        LogWatch log;
        controller.setEnabled(false);
        controller.setEnabled(true);
        ASSERT_FALSE(client.floors.isEmpty());
        EXPECT_EQ(client.floors.last(), c.floor);
        EXPECT_TRUE(log.lines().contains(QString::fromUtf8(c.line)))
            << log.lines().join('\n').toStdString();
        client.answerFloor(true);
        EXPECT_EQ(controller.status(), FanController::Status::active);
    }
    keys["F0Mx"] = 3000; // cached for the run
    controller.tick();
    EXPECT_EQ(client.floors.last(), 6000);
}

TEST_F(FanControllerTest, hysteresisEngagesAboveTheTargetAndReleasesHalfADegreeBelow)
{
    surface(38.0);
    controller.startIfEnabled();
    EXPECT_TRUE(controller.isRunning());
    EXPECT_EQ(controller.status(), FanController::Status::cooling);
    EXPECT_TRUE(client.floors.isEmpty()) << "exactly at the target does not engage";

    surface(38.1);
    controller.tick();
    EXPECT_EQ(client.floors, (QList<qint64>{2700})); // duty 0.459
    EXPECT_TRUE(controller.isControlling());
    client.answerFloor(true);

    surface(37.6);
    controller.tick();
    EXPECT_TRUE(controller.isControlling()) << "inside the margin the floor stays";
    EXPECT_EQ(client.releases, 0);

    LogWatch log;
    surface(37.5);
    controller.tick();
    EXPECT_FALSE(controller.isControlling());
    EXPECT_EQ(client.releases, 1);
    EXPECT_EQ(controller.status(), FanController::Status::cooling);
    EXPECT_EQ(log.lines(),
              QStringList(QStringLiteral("Comfort released (surface 37.5°C at or "
                                         "below 37.5°C); fan control returned to macOS")));

    surface(37.9);
    controller.tick();
    EXPECT_FALSE(controller.isControlling()) << "below the target an idle controller stays idle";
    EXPECT_EQ(client.floors.size(), 1);
}

TEST_F(FanControllerTest, unchangedFloorIsResentEveryTwelveTicksWithoutALogLine)
{
    surface(41.0);
    controller.startIfEnabled();
    ASSERT_EQ(client.floors.size(), 1);
    client.answerFloor(true);
    LogWatch log;
    for (int tick = 1; tick <= 11; ++tick)
        controller.tick();
    EXPECT_EQ(client.floors.size(), 1);
    controller.tick();
    EXPECT_EQ(client.floors, (QList<qint64>{4300, 4300}));
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join('\n').toStdString();
    client.answerFloor(true);

    surface(42.0); // a changed floor goes out at once, logged
    controller.tick();
    EXPECT_EQ(client.floors.last(), 4900);
    EXPECT_EQ(log.lines().size(), 1);
}

// A refused floor: the daemon is told to let go (it may hold the fans forced after a partial
// write while our heartbeats keep it quiet), then exactly 12 ticks pass with only the surface
// read.
TEST_F(FanControllerTest, refusedFloorReleasesAndBacksOffTwelveTicks)
{
    surface(41.0);
    controller.startIfEnabled();
    LogWatch log;
    client.answerFloor(false);
    EXPECT_EQ(controller.status(), FanController::Status::needsApproval);
    EXPECT_FALSE(controller.isControlling());
    EXPECT_EQ(client.releases, 1);
    EXPECT_EQ(controller.lastFloorRPM(), 4300);
    EXPECT_TRUE(log.lines().isEmpty()) << "a refusal is not logged here";

    for (int tick = 1; tick <= 12; ++tick) {
        surface(41.0 + tick * 0.1);
        controller.tick();
        EXPECT_NEAR(*controller.surfaceC(), 41.0 + tick * 0.1, 1e-9);
        EXPECT_EQ(controller.status(), FanController::Status::needsApproval);
    }
    EXPECT_EQ(client.floors.size(), 1);
    controller.tick();
    EXPECT_EQ(client.floors.size(), 2) << "engages again after the back-off";
    EXPECT_TRUE(controller.isControlling());
}

TEST_F(FanControllerTest, lostSensorAndDisablingReleaseWithTheirReasons)
{
    surface(41.0);
    controller.startIfEnabled();
    client.answerFloor(true);
    LogWatch log;
    surface(std::nullopt);
    controller.tick();
    EXPECT_EQ(controller.status(), FanController::Status::unavailable);
    EXPECT_EQ(controller.surfaceC(), std::nullopt);
    EXPECT_EQ(client.releases, 1);

    surface(41.0);
    controller.tick();
    client.answerFloor(true);
    client.fans = {FanReading{0, 2450, 4300, 1200, 6000, true}};
    controller.refreshFanRPM();
    EXPECT_EQ(controller.fanRPM(), 2450.0);
    controller.setEnabled(false);
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(controller.isRunning());
    EXPECT_EQ(controller.status(), FanController::Status::off);
    EXPECT_EQ(controller.fanRPM(), std::nullopt);
    EXPECT_EQ(controller.surfaceC(), 41.0) << "the last surface stays";
    EXPECT_EQ(client.releases, 2);
    EXPECT_EQ(
        log.lines(),
        (QStringList{
            QStringLiteral("Comfort released (surface sensor unavailable); fan control "
                           "returned to macOS"),
            QStringLiteral(
                "Comfort cooling: surface 41.0°C, target 38°C; fan floor 4300 rpm at 72% duty"),
            QStringLiteral("Comfort released (disabled); fan control returned to macOS")}));
    client.fans.clear();
    controller.refreshFanRPM();
    EXPECT_EQ(controller.fanRPM(), std::nullopt);
}

TEST_F(FanControllerTest, waitingForApprovalStartsNoTimerUntilTheRetry)
{
    client.current = FanHelperState::notRegistered;
    client.afterRegistering = FanHelperState::requiresApproval;
    surface(41.0);
    controller.setEnabled(true);
    EXPECT_EQ(client.registrations, 1);
    EXPECT_EQ(controller.status(), FanController::Status::needsApproval);
    EXPECT_FALSE(controller.isRunning());
    EXPECT_TRUE(client.floors.isEmpty());

    controller.retryAfterApproval(); // still waiting
    EXPECT_FALSE(controller.isRunning());

    client.current = FanHelperState::enabled;
    controller.retryAfterApproval();
    EXPECT_TRUE(controller.isRunning());
    EXPECT_EQ(client.floors, (QList<qint64>{4300})) << "ticks at once";

    enabled = false;
    FanController idle(
        FanController::Dependencies{&client,
                                    [](std::string_view) { return std::optional<double>(45.0); },
                                    {QStringLiteral("Ts0P")},
                                    [] { return false; },
                                    [](bool) {},
                                    [] { return 38.0; },
                                    [](double) {}});
    idle.startIfEnabled();
    EXPECT_EQ(idle.status(), FanController::Status::off);
    EXPECT_FALSE(idle.isRunning());
}

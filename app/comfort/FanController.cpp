// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/comfort/FanController.h"

#include "app/base/Log.h"
#include "app/comfort/FanHelperApi.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace corvanite {

FanController::FanController(Dependencies dependencies, QObject* parent)
    : QObject(parent)
    , m_deps(std::move(dependencies))
{
}

FanController::~FanController() = default;

void FanController::setStatus(Status status)
{
    m_status = status;
    Q_EMIT statusChanged();
}

void FanController::setSurfaceC(std::optional<double> value)
{
    m_surfaceC = value;
    Q_EMIT surfaceCChanged();
}

void FanController::setFanRPM(std::optional<double> value)
{
    m_fanRPM = value;
    Q_EMIT fanRPMChanged();
}

void FanController::startIfEnabled()
{
    if (m_deps.enabled())
        start();
}

void FanController::setEnabled(bool enabled)
{
    m_deps.setEnabledSetting(enabled);
    if (enabled)
        start();
    else
        stop();
}

double FanController::targetC() const
{
    return m_deps.targetC();
}

void FanController::setTargetC(double celsius)
{
    m_deps.setTargetSetting(celsius);
}

void FanController::retryAfterApproval()
{
    m_deps.client->refreshState();
    m_failureBackoffTicks = 0;
    if (m_deps.client->state() == FanHelperState::enabled)
        start();
}

void FanController::start()
{
    FanHelperApi& client = *m_deps.client;
    client.refreshState();
    if (client.state() != FanHelperState::enabled) {
        client.registerHelper();
        const bool enabled = client.state() == FanHelperState::enabled;
        setStatus(enabled ? Status::active : Status::needsApproval);
        if (!enabled)
            return;
    }
    if (m_timer)
        return;
    m_timer = new QTimer(this);
    m_timer->setInterval(kTickIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &FanController::tick);
    m_timer->start();
    setStatus(Status::active);
    tick();
}

void FanController::stop()
{
    delete m_timer;
    m_timer = nullptr;
    releaseIfControlling(QStringLiteral("disabled"));
    setStatus(Status::off);
    setFanRPM(std::nullopt);
}

std::optional<double> FanController::readSurface() const
{
    std::optional<double> hottest;
    for (const QString& key : m_deps.surfaceKeys) {
        const QByteArray name = key.toLatin1();
        const auto value = m_deps.readValue(std::string_view(name.constData(), name.size()));
        if (value && (!hottest || *value > *hottest))
            hottest = value;
    }
    return hottest;
}

void FanController::tick()
{
    const auto surface = readSurface();
    setSurfaceC(surface);
    if (!surface) {
        releaseIfControlling(QStringLiteral("surface sensor unavailable"));
        setStatus(Status::unavailable);
        return;
    }
    if (m_failureBackoffTicks > 0) {
        --m_failureBackoffTicks;
        return;
    }
    const double target = m_deps.targetC();
    if (!m_controlling) {
        if (*surface > target) {
            m_controlling = true;
            m_ticksSinceCommand = kResendTicks; // the first floor always goes out
            sendFloor(*surface, target);
        } else {
            setStatus(Status::cooling);
        }
        return;
    }
    const double releaseAt = target - kReleaseMargin;
    if (*surface <= releaseAt) {
        releaseIfControlling(
            QString::asprintf("surface %.1f°C at or below %.1f°C", *surface, releaseAt));
        setStatus(Status::cooling);
        return;
    }
    sendFloor(*surface, target);
}

double FanController::dutyFor(double surfaceC, double targetC)
{
    const double excess = std::max(surfaceC - targetC, 0.0);
    return std::min(kBaseDuty + kDutyRise * (excess / kDutyRiseSpan), 1.0);
}

qint64 FanController::floorFor(double duty, double maxRPM)
{
    const auto rpm = static_cast<qint64>(duty * maxRPM);
    return rpm / 100 * 100;
}

void FanController::sendFloor(double surface, double target)
{
    if (!m_cachedMaxRPM)
        m_cachedMaxRPM = m_deps.readValue("F0Mx").value_or(kFallbackMaxRPM);
    const double duty = dutyFor(surface, target);
    const qint64 floor = floorFor(duty, *m_cachedMaxRPM);
    ++m_ticksSinceCommand;
    if (!m_lastFloorRPM || *m_lastFloorRPM != floor) {
        Log::debug(QString::asprintf(
            "Comfort cooling: surface %.1f°C, target %d°C; fan floor %lld rpm at %d%% duty",
            surface, static_cast<int>(target), static_cast<long long>(floor),
            static_cast<int>(duty * 100)));
    } else if (m_ticksSinceCommand < kResendTicks) {
        setStatus(Status::active);
        return;
    }
    m_lastFloorRPM = floor;
    m_ticksSinceCommand = 0;
    const QPointer<FanController> self(this);
    m_deps.client->setFanFloor(floor, [self](bool ok) {
        if (!self)
            return;
        if (ok) {
            self->setStatus(Status::active);
            return;
        }
        self->setStatus(Status::needsApproval);
        self->m_controlling = false;
        self->m_failureBackoffTicks = kBackoffTicks;
        // The daemon may hold the fans forced after a partly failed write, and our heartbeats
        // would keep it doing so: tell it to let go, which also ends the heartbeats.
        self->m_deps.client->releaseControl([](bool) {});
    });
}

void FanController::releaseIfControlling(const QString& reason)
{
    if (!m_controlling)
        return;
    m_controlling = false;
    m_lastFloorRPM.reset();
    m_ticksSinceCommand = 0;
    m_deps.client->releaseControl([](bool) {});
    Log::debug(QStringLiteral("Comfort released (") + reason +
               QStringLiteral("); fan control returned to macOS"));
}

void FanController::refreshFanRPM()
{
    const QPointer<FanController> self(this);
    m_deps.client->readFans([self](const QList<FanReading>& fans) {
        if (!self)
            return;
        self->setFanRPM(fans.isEmpty() ? std::nullopt : std::optional(fans.first().actualRPM));
    });
}

} // namespace corvanite

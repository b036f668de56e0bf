// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <string_view>

class QTimer;

namespace corvanite {

class FanHelperApi;

// Comfort cooling: every 5 seconds the surface temperature is compared with the user's target;
// above it the fans are held at a floor that grows with the excess, and once the surface is half
// a degree below the target they go back to automatic control. The floor is sent through the
// fan helper, never written here.
class FanController final : public QObject {
    Q_OBJECT
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(std::optional<double> surfaceC READ surfaceC NOTIFY surfaceCChanged)
    Q_PROPERTY(std::optional<double> fanRPM READ fanRPM NOTIFY fanRPMChanged)
public:
    enum class Status { off, needsApproval, active, cooling, unavailable };
    Q_ENUM(Status)

    static constexpr int kTickIntervalMs = 5000;
    static constexpr double kReleaseMargin = 0.5;
    static constexpr double kBaseDuty = 0.45;
    static constexpr double kDutyRise = 0.55;
    static constexpr double kDutyRiseSpan = 6.0;
    static constexpr int kResendTicks = 12;
    static constexpr int kBackoffTicks = 12;
    static constexpr double kFallbackMaxRPM = 6000.0;

    struct Dependencies {
        FanHelperApi* client = nullptr;
        // One controller key's value, none when it cannot be read.
        std::function<std::optional<double>(std::string_view key)> readValue;
        QStringList surfaceKeys;
        std::function<bool()> enabled;
        std::function<void(bool)> setEnabledSetting;
        std::function<double()> targetC;
        std::function<void(double)> setTargetSetting;
    };

    explicit FanController(Dependencies dependencies, QObject* parent = nullptr);
    ~FanController() override;
    // Built in the composition root.
    static FanController& shared();

    Status status() const { return m_status; }
    std::optional<double> surfaceC() const { return m_surfaceC; }
    std::optional<double> fanRPM() const { return m_fanRPM; }

    void startIfEnabled();
    void setEnabled(bool enabled);
    double targetC() const;
    void setTargetC(double celsius);
    void retryAfterApproval();
    void refreshFanRPM();

    bool isRunning() const { return m_timer != nullptr; }
    bool isControlling() const { return m_controlling; }
    std::optional<qint64> lastFloorRPM() const { return m_lastFloorRPM; }
    // One control step, as the timer runs it.
    void tick();

    // The floor for a surface above the target: duty of the fan's maximum, in 100 rpm steps.
    static double dutyFor(double surfaceC, double targetC);
    static qint64 floorFor(double duty, double maxRPM);

Q_SIGNALS:
    void statusChanged();
    void surfaceCChanged();
    void fanRPMChanged();

private:
    void start();
    void stop();
    void sendFloor(double surface, double target);
    void releaseIfControlling(const QString& reason);
    std::optional<double> readSurface() const;
    void setStatus(Status status);
    void setSurfaceC(std::optional<double> value);
    void setFanRPM(std::optional<double> value);

    Dependencies m_deps;
    Status m_status = Status::off;
    std::optional<double> m_surfaceC;
    std::optional<double> m_fanRPM;
    QTimer* m_timer = nullptr;
    bool m_controlling = false;
    std::optional<qint64> m_lastFloorRPM;
    int m_ticksSinceCommand = 0;
    int m_failureBackoffTicks = 0;
    std::optional<double> m_cachedMaxRPM;
};

} // namespace corvanite

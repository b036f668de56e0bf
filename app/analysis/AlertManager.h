// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/SettingsTypes.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

namespace corvanite {

class NotificationCenter;

// The alert preferences, read afresh on every evaluation.
struct AlertSettings {
    bool enabled = false;
    double cpuThreshold = 85;  // percent
    double memThreshold = 90;  // percent
    double tempThreshold = 85; // degrees Celsius
    TempUnit tempUnit = TempUnit::Celsius;
};

// Posts a desktop notification when CPU load, memory use or CPU temperature has stayed at or
// above its threshold for three snapshots in a row, once per excursion: one snapshot below the
// threshold re-arms the metric. Clicking a notification opens the panel. Main thread only.
class AlertManager : public QObject {
    Q_OBJECT
public:
    enum class Metric { Cpu, Memory, Temperature };
    struct State {
        int overCount = 0; // consecutive evaluations at or above the threshold
        bool alerted = false;
        bool operator==(const State&) const = default;
    };
    static constexpr int kSustainTicks = 3;

    AlertManager(NotificationCenter& center, std::function<AlertSettings()> settings,
                 QObject* parent = nullptr);

    static AlertManager& shared();

    // Listens for clicks on the notifications and withdraws the ones already shown.
    void activate();
    // Whether notifications can be shown; the answer comes later, on the main thread.
    void requestAuthorization(std::function<void(bool granted)> completion);
    // One applied snapshot: CPU percent, memory percent and, when known, CPU temperature in
    // degrees Celsius (possibly carried over from an earlier pass).
    void evaluate(double cpu, double memPct, std::optional<double> tempC);
    // What a click on a notification does: opens the panel.
    void setPanelOpener(std::function<void()> opener) { m_panelOpener = std::move(opener); }

    State state(Metric metric) const { return m_states[static_cast<std::size_t>(metric)]; }

    static QString rawValue(Metric metric);

private:
    void step(Metric metric, double value, double threshold, const AlertSettings& settings);
    void fire(Metric metric, const QString& title, const QString& body);
    void onResponse(const QString& identifier);

    NotificationCenter& m_center;
    std::function<AlertSettings()> m_settings;
    std::function<void()> m_panelOpener;
    std::array<State, 3> m_states{}; // by metric
    bool m_activated = false;
};

} // namespace corvanite

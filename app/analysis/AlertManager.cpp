// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/AlertManager.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/base/Log.h"
#include "platform/NotificationCenter.h"

#include <QTimer>

#include <cmath>
#include <limits>

namespace corvanite {

namespace {

const QString kIdentifierPrefix = QStringLiteral("alert.");

// Halves go away from zero.
qint64 rounded(double value)
{
    return Format::saturatingTruncate(std::round(value));
}

} // namespace

AlertManager::AlertManager(NotificationCenter& center, std::function<AlertSettings()> settings,
                           QObject* parent)
    : QObject(parent)
    , m_center(center)
    , m_settings(std::move(settings))
{
}

QString AlertManager::rawValue(Metric metric)
{
    switch (metric) {
    case Metric::Cpu:
        break;
    case Metric::Memory:
        return QStringLiteral("memory");
    case Metric::Temperature:
        return QStringLiteral("temperature");
    }
    return QStringLiteral("cpu");
}

void AlertManager::activate()
{
    if (!m_activated) {
        m_activated = true;
        connect(&m_center, &NotificationCenter::responded, this, &AlertManager::onResponse);
    }
    m_center.removeAllDelivered();
}

void AlertManager::requestAuthorization(std::function<void(bool granted)> completion)
{
    m_center.requestAuthorization(std::move(completion));
}

void AlertManager::evaluate(double cpu, double memPct, std::optional<double> tempC)
{
    const AlertSettings settings = m_settings ? m_settings() : AlertSettings{};
    // Switched off: the counts stay where they are and resume when switched on again.
    if (!settings.enabled)
        return;
    step(Metric::Cpu, cpu, settings.cpuThreshold, settings);
    step(Metric::Memory, memPct, settings.memThreshold, settings);
    // No reading: a half-counted excursion is neither advanced nor ended.
    if (tempC)
        step(Metric::Temperature, *tempC, settings.tempThreshold, settings);
}

void AlertManager::step(Metric metric, double value, double threshold,
                        const AlertSettings& settings)
{
    State& state = m_states[static_cast<std::size_t>(metric)];
    if (!(value >= threshold)) {
        state = State{};
        return;
    }
    if (state.overCount < std::numeric_limits<int>::max())
        ++state.overCount;
    if (!state.alerted && state.overCount >= kSustainTicks) {
        switch (metric) {
        case Metric::Cpu:
            fire(metric, L(QStringLiteral("alert.cpu.title")),
                 L(QStringLiteral("alert.cpu.body"),
                   {rounded(value), Format::saturatingTruncate(threshold)}));
            break;
        case Metric::Memory:
            fire(metric, L(QStringLiteral("alert.memory.title")),
                 L(QStringLiteral("alert.memory.body"),
                   {rounded(value), Format::saturatingTruncate(threshold)}));
            break;
        case Metric::Temperature:
            fire(metric, L(QStringLiteral("alert.temp.title")),
                 L(QStringLiteral("alert.temp.body"),
                   {display(settings.tempUnit, value), display(settings.tempUnit, threshold)}));
            break;
        }
        state.alerted = true;
    }
}

void AlertManager::fire(Metric metric, const QString& title, const QString& body)
{
    NotificationCenter::Request request;
    request.identifier = kIdentifierPrefix + rawValue(metric);
    request.title = title;
    request.body = body;
    request.sound = true;
    request.clickable = true;
    request.actionLabel = L(QStringLiteral("menu.title"));
    m_center.add(request);
    Log::debug(QStringLiteral("Alert notification: ") + rawValue(metric) + QStringLiteral(" — ") +
               body);
}

void AlertManager::onResponse(const QString& identifier)
{
    if (!identifier.startsWith(kIdentifierPrefix))
        return;
    // Run from the event loop, after the bus delivery that brought the click has finished.
    QTimer::singleShot(0, this, [this] {
        if (m_panelOpener)
            m_panelOpener();
    });
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/PressureLevel.h"
#include "platform/MemoryPressure.h"

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace corvanite {

// The machine's memory-pressure level. It follows the reading of every sampling pass (handed
// in through update()) and, where the kernel offers a stall trigger, wakes on the trigger to
// notice a rise between passes; it keeps no timer of its own. Every change is logged; a rise
// first asks for the culprits to be captured, then the level changes. Main thread only.
class PressureMonitor final : public QObject {
    Q_OBJECT
    Q_PROPERTY(corvanite::PressureLevel level READ level NOTIFY levelChanged)

public:
    using TriggerFactory = std::function<std::unique_ptr<PressureTrigger>()>;

    // `source` is read on trigger events; `openTrigger` may give nothing (no trigger).
    PressureMonitor(std::unique_ptr<MemoryPressureSource> source, TriggerFactory openTrigger,
                    QObject* parent = nullptr);
    ~PressureMonitor() override;
    static PressureMonitor& shared();

    // Starts watching; a second call does nothing.
    void start();
    bool isStarted() const { return m_started; }
    bool hasTrigger() const { return m_trigger != nullptr; }

    PressureLevel level() const { return m_level; }
    // Called with the new level when pressure rises, before the level changes.
    void setCulpritCapture(std::function<void(PressureLevel)> capture);

    // A new reading's level; ignored before start() and when it changes nothing.
    void update(PressureLevel newLevel);

Q_SIGNALS:
    void levelChanged();

private:
    void onTrigger();

    std::unique_ptr<MemoryPressureSource> m_source;
    TriggerFactory m_openTrigger;
    std::unique_ptr<PressureTrigger> m_trigger;
    QSocketNotifier* m_notifier = nullptr;
    std::function<void(PressureLevel)> m_captureCulprits;
    PressureLevel m_level = PressureLevel::Normal;
    bool m_started = false;
};

} // namespace corvanite

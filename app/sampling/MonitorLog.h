// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <QString>

// The verbose log lines of the sampling engine.

namespace corvanite::MonitorLog {

// "Sample duration: 1.4ms (scanProcesses=true)"
QString sampleDuration(double milliseconds, bool scanProcesses);

// "tick #3 cpu=12.5% processes=210 NET↓=5120B/s"
QString tick(qint64 tickCount, double cpuTotal, qsizetype processCount, double downBps);

// The duration is logged on the first pass and every 30th after it; the tick summary on the
// first five published passes and every 50th.
bool logsDuration(qint64 cycle);
bool logsTick(qint64 tickCount);

} // namespace corvanite::MonitorLog

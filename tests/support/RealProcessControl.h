// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/process/PauseManager.h"
#include "app/process/ProcessTerminator.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/linux/LinuxProcessInfo.h"
#include "tests/support/FakeProcessPlatform.h"

#include <QTemporaryDir>

#include <memory>

namespace corvanite::test {

// Pause and termination against this machine's processes and real signals, with private
// preferences, a fake clock and delayed jobs the test runs when it chooses.
struct RealProcessControl {
    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("prefs.json"))};
    FakeClock clock;
    LinuxProcessInfo info;
    PosixProcessSignals signaller;
    FakeFrontmost frontmost;
    CapturedCalls later;
    ProcessTerminator terminator{info, signaller, later.delayedCall()};

    // A new run of the pause manager: it reads the records an earlier one stored.
    std::unique_ptr<PauseManager> pauseManager()
    {
        return std::make_unique<PauseManager>(PauseManager::Dependencies{
            &info, &signaller, &prefs, &clock, &frontmost, later.delayedCall()});
    }
};

} // namespace corvanite::test

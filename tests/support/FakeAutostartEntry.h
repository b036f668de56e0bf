// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AutostartEntry.h"

namespace corvanite::test {

// A login-item backend whose answers a test sets: it can refuse, or leave a registration
// waiting for approval, which the XDG entry never does.
class FakeAutostartEntry : public AutostartEntry {
public:
    AutostartStatus current = AutostartStatus::NotRegistered;
    AutostartStatus afterEnable = AutostartStatus::Enabled;
    AutostartStatus afterDisable = AutostartStatus::NotRegistered;
    QString refusal; // when set, enable and disable fail with this reason
    bool opens = false;
    int enableCalls = 0;
    int disableCalls = 0;

    AutostartStatus status() const override { return current; }
    bool enable(QString& reason) override { return change(enableCalls, afterEnable, reason); }
    bool disable(QString& reason) override { return change(disableCalls, afterDisable, reason); }
    bool openSystemSettings() override { return opens; }

private:
    bool change(int& calls, AutostartStatus after, QString& reason)
    {
        ++calls;
        if (!refusal.isEmpty()) {
            reason = refusal;
            return false;
        }
        current = after;
        return true;
    }
};

} // namespace corvanite::test

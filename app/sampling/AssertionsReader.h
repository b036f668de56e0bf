// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/DeviceSources.h"
#include "platform/PowerAssertions.h"

#include <memory>

namespace corvanite {

// The processes that keep the machine awake: only the five sleep-blocking assertion types
// count, and the system daemons that hold them as a matter of course are left out.
class AssertionsReader final : public SleepAssertionSource {
public:
    explicit AssertionsReader(std::unique_ptr<PowerAssertions> platform);
    AssertionMap readSleepBlockers() override;

    static const QSet<QString>& blockingTypes();
    static const QSet<QString>& systemNoise();
    // The map built from one platform table.
    static AssertionMap blockersFrom(const QList<ProcessAssertionEntry>& table);

private:
    std::unique_ptr<PowerAssertions> m_platform;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/FanReading.h"

#include <QList>

#include <string>

namespace corvanite {

class SMCFan;

// The daemon's fan procedures: fixed sequences of SMC key reads and writes through SMCFan.
// Nothing here keeps state or logs; an unreadable key is 0 in a reading, a failed write false.
class FanOperations {
public:
    // `smc` must outlive this object.
    explicit FanOperations(SMCFan& smc)
        : m_smc(smc)
    {
    }

    // "FNum", or 0 when unreadable.
    int fanCount() const;
    // The hottest CPU temperature key below 130 °C, or 0 when none reads.
    double maxCPUTemp() const;

    QList<FanReading> readAllFans() const;
    // Forced mode, then the target: the request limited to 0 and the fan's maximum (6000 rpm
    // when that is unreadable). True when every write succeeded, also with no fans.
    bool forceAllFans(qint64 rpm) const;
    // Automatic mode on every fan, and on fans 0 and 1 even when "FNum" is unreadable.
    void releaseAllFans() const;

    // "F" + index + suffix; only the first four bytes reach the SMC.
    static std::string fanKey(int index, const char* suffix);

private:
    SMCFan& m_smc;
};

} // namespace corvanite

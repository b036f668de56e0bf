// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "helper/FanOperations.h"

#include "shared/SMCFan.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvanite {

namespace {

constexpr double kFallbackMaxRPM = 6000.0;
constexpr double kSensorCeiling = 130.0;

const std::array<const char*, 15> kCpuKeys = {"Tp01", "Tp05", "Tp09", "Tp0D", "Tp0H",
                                              "Tp0L", "Tp0P", "Tp0T", "Tp0X", "Tp0b",
                                              "TC0P", "TC1C", "TC2C", "TC3C", "TC4C"};

// The target for one fan: the request, at least 0 and at most the maximum with its fraction
// dropped. The maximum is capped before truncation so an absurd key value cannot overflow.
qint64 targetFor(qint64 rpm, double maximum)
{
    const double bounded = std::clamp(maximum, 0.0, 1.0e15);
    const auto ceiling = static_cast<qint64>(std::trunc(bounded));
    return std::min(std::max<qint64>(rpm, 0), ceiling);
}

} // namespace

std::string FanOperations::fanKey(int index, const char* suffix)
{
    return "F" + std::to_string(index) + suffix;
}

int FanOperations::fanCount() const
{
    return m_smc.readUInt8("FNum").value_or(0);
}

double FanOperations::maxCPUTemp() const
{
    double hottest = 0;
    for (const char* key : kCpuKeys) {
        const auto value = m_smc.readFloat(key);
        if (value && *value > hottest && *value < kSensorCeiling)
            hottest = *value;
    }
    return hottest;
}

QList<FanReading> FanOperations::readAllFans() const
{
    QList<FanReading> readings;
    const int count = fanCount();
    for (int i = 0; i < count; ++i) {
        FanReading reading;
        reading.index = i;
        reading.actualRPM = m_smc.readFloat(fanKey(i, "Ac")).value_or(0);
        reading.targetRPM = m_smc.readFloat(fanKey(i, "Tg")).value_or(0);
        reading.minRPM = m_smc.readFloat(fanKey(i, "Mn")).value_or(0);
        reading.maxRPM = m_smc.readFloat(fanKey(i, "Mx")).value_or(0);
        reading.forced = m_smc.readUInt8(fanKey(i, "Md")) == 1;
        readings.append(reading);
    }
    return readings;
}

bool FanOperations::forceAllFans(qint64 rpm) const
{
    bool result = true;
    const int count = fanCount();
    for (int i = 0; i < count; ++i) {
        const double maximum = m_smc.readFloat(fanKey(i, "Mx")).value_or(kFallbackMaxRPM);
        const bool moded = m_smc.writeUInt8(fanKey(i, "Md"), 1);
        const auto target = static_cast<float>(targetFor(rpm, maximum));
        const bool targeted = m_smc.writeFloat(fanKey(i, "Tg"), target);
        result = result && moded && targeted;
    }
    return result;
}

void FanOperations::releaseAllFans() const
{
    const int count = std::max(fanCount(), 2);
    for (int i = 0; i < count; ++i)
        m_smc.writeUInt8(fanKey(i, "Md"), 0);
}

} // namespace corvanite

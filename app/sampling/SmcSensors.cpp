// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/SmcSensors.h"

#include "app/sampling/FanReader.h"
#include "app/sampling/SMC.h"
#include "app/sampling/ThermalReader.h"

namespace corvanite {

SmcSensors::SmcSensors(SMC& smc)
    : m_smc(smc)
{
}

SmcSensors::SmcSensors(std::unique_ptr<SMC> own)
    : m_own(std::move(own))
    , m_smc(*m_own)
{
}

SmcSensors::~SmcSensors() = default;

ThermalSample SmcSensors::readTemperatures()
{
    return ThermalReader::read(m_smc);
}

QList<double> SmcSensors::readFanSpeeds()
{
    return FanReader::readFanSpeeds(m_smc);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/DeviceSources.h"

#include <memory>

namespace corvanite {

class SMC;

// Temperatures and fan speeds read through the controller's keys.
class SmcSensors final : public SensorSource {
public:
    // `smc` must outlive this object.
    explicit SmcSensors(SMC& smc);
    explicit SmcSensors(std::unique_ptr<SMC> own);
    ~SmcSensors() override;
    ThermalSample readTemperatures() override;
    QList<double> readFanSpeeds() override;

private:
    std::unique_ptr<SMC> m_own;
    SMC& m_smc;
};

} // namespace corvanite

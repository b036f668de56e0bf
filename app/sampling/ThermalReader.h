// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <array>
#include <string_view>

namespace corvanite {

class SMC;

// Temperatures from the controller's keys: each group's hottest answering key, taken as it
// comes (no range check here; the device leaves out readings it cannot trust).
namespace ThermalReader {

inline constexpr std::array<std::string_view, 8> cpuKeys = {"Tp0Y", "Tp0X", "Tp01", "Tp0E",
                                                            "Tp0A", "Tp0C", "Tp09", "Tp0D"};
inline constexpr std::array<std::string_view, 6> gpuKeys = {"Tg0D", "Tg05", "Tg0L",
                                                            "Tg0J", "Tg0b", "Tg0f"};
inline constexpr std::string_view batteryKey = "TB0T";
// Also read by the fan controller.
inline constexpr std::array<std::string_view, 2> surfaceKeys = {"Ts0P", "Ts1P"};

ThermalSample read(SMC& smc);

} // namespace ThermalReader

} // namespace corvanite

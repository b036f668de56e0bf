// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/Samples.h"

#include <QJsonObject>

#include <optional>

namespace corvanite {

// A snapshot as one JSON object, for scripts and for comparing readings with other tools.
// Readings the machine does not have are null; sizes are bytes, rates bytes per second, CPU in
// percent, temperatures degrees Celsius, fan speeds RPM, energy rows' power in watts.
namespace SnapshotJson {

QJsonObject toJson(const Snapshot& snapshot, std::optional<double> uptimeSeconds);

} // namespace SnapshotJson

} // namespace corvanite

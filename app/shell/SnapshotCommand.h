// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sampling/SystemSources.h"

#include <cstdio>

namespace corvanite {

class Clock;

// `corvanite --snapshot`: two full passes one second apart (so rates and CPU percent have a
// baseline), then the second one as a JSON document on `out`. Touches no preferences, no log
// and no display.
int runSnapshotCommand(SystemSources sources, const Clock& clock, FILE* out = stdout);

} // namespace corvanite

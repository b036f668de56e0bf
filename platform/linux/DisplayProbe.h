// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite::DisplayProbe {

// Whether an X server answers at `display` (a DISPLAY value): a real connection is opened and
// closed again, so a stale socket or a server that refuses us counts as unreachable.
bool x11Reachable(const QString& display);

// Whether a Wayland compositor listens at `display` (a WAYLAND_DISPLAY value: a socket name in
// `runtimeDir`, or an absolute path).
bool waylandReachable(const QString& display, const QString& runtimeDir);

} // namespace corvanite::DisplayProbe

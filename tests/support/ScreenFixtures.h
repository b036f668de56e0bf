// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/MenuBarLayout.h"

namespace corvanite::test {

// A screen with a camera housing, as the layout rules see it.
inline ScreenFacts notchedScreen()
{
    ScreenFacts s;
    s.frame = QRectF(0, 0, 1512, 982);
    s.visibleFrame = QRectF(0, 0, 1512, 949);
    s.auxiliaryTopLeftArea = QRectF(0, 949, 661, 33);
    s.auxiliaryTopRightArea = QRectF(851, 949, 661, 33);
    s.safeAreaTopInset = 32;
    return s;
}

} // namespace corvanite::test

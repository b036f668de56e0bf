// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelSkin.h"

#include <QPoint>
#include <QRect>

#include <optional>

class QTimer;
class QWidget;

namespace corvanite {

class SettingsManager;

// The bubble under the status item that explains the controls once per user, on the first
// launch. At most one exists, for at most 8 seconds.
class FirstRunTipWindow {
public:
    static constexpr int kWidth = 280;
    static constexpr int kBodyHeight = 150;
    static constexpr int kDismissDelayMs = 8000;
    static constexpr int kScreenMargin = 8;
    static int height();

    // Shows the tip on the first launch only. `anchor` is the status item's rectangle (or the
    // point it reported, or the stand-in window); none puts the tip where status areas usually
    // are, the top right of the primary screen. Without a display nothing happens and the first
    // launch stays unmarked. True when a tip was shown.
    static bool showIfNeeded(SettingsManager& settings, PanelSkin skin,
                             const std::optional<QRect>& anchor);
    // Takes the tip off screen; nothing happens when there is none.
    static void dismiss();

    static QWidget* window();
    // The timer that dismisses the shown tip; none when no tip is shown.
    static QTimer* dismissTimer();

    struct Placement {
        QPoint origin;
        double arrowX = 0; // arrow tip from the tip's left edge
        bool above = false;
    };
    // Centred under the anchor and kept 8 px inside `available`; above the anchor when there is
    // no room below it.
    static Placement place(const QRect& anchor, const QRect& available);

    FirstRunTipWindow() = delete;
};

} // namespace corvanite

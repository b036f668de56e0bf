// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelSkin.h"

#include <QColor>
#include <QFont>
#include <QMargins>

namespace corvanite {

// The few things in which the shared process views, banner and diagnostics card differ
// between the two skins: colours, corner radii, outer margins and the condensed text.
struct ProcessViewStyle {
    PanelSkin skin = PanelSkin::Glass;
    QColor primaryText;
    QColor mutedText; // magnifier and clear button, search placeholder
    QColor energy;
    QColor well;    // search field background
    QColor outline; // search field outline
    QColor accent;  // the active search button
    double cornerRadius = 10;
    double searchCorner = 8;
    QMargins outerMargins;
    bool condensed = false;

    static ProcessViewStyle forSkin(PanelSkin skin);
    // The 11-point text of banner and card lines.
    QFont lineFont(double pixelSize = 11) const;
};

} // namespace corvanite

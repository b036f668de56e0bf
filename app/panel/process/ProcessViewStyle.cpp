// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessViewStyle.h"

#include "app/panel/PanelFonts.h"
#include "app/panel/Theme.h"
#include "app/panel/VitalsTheme.h"

namespace corvanite {

ProcessViewStyle ProcessViewStyle::forSkin(PanelSkin skin)
{
    ProcessViewStyle style;
    style.skin = skin;
    if (skin == PanelSkin::Glass) {
        style.primaryText = Theme::primaryText;
        style.mutedText = Theme::tertiaryText;
        style.energy = Theme::energy;
        style.well = Theme::listWell;
        style.outline = Theme::cardBorder;
        style.accent = Theme::cpu;
        style.cornerRadius = 10;
        style.searchCorner = 8;
        style.outerMargins = QMargins(0, 0, 0, 0);
    } else {
        style.primaryText = VitalsTheme::primaryText;
        style.mutedText = VitalsTheme::dimText;
        style.energy = VitalsTheme::energy;
        style.well = VitalsTheme::coreWell;
        style.outline = VitalsTheme::hairline;
        style.accent = VitalsTheme::ecg;
        style.cornerRadius = 3;
        style.searchCorner = 3;
        style.outerMargins = QMargins(10, 6, 10, 6);
        style.condensed = true;
    }
    return style;
}

QFont ProcessViewStyle::lineFont(double pixelSize) const
{
    return condensed ? PanelFonts::condensed(pixelSize) : PanelFonts::text(pixelSize);
}

} // namespace corvanite

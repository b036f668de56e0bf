// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelSkin.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace corvanite {

// How the settings view looks in one panel skin: the same rows and controls, dressed as the
// skin's own cards so the flip face and the window match the panel the user chose.
struct SettingsStyle {
    QColor background;
    QColor sectionTitle;
    QColor rowLabel;
    QColor rowValue;
    QColor hint;
    QColor cardFill;
    QColor cardBorder;
    QColor separator;
    QColor accent;
    QColor warning;
    QColor chrome;
    double corner = 10;
    // Narrow type, as the vitals skin draws its channel names.
    bool condensed = false;
    // Letter spacing of the section titles, in pixels.
    double titleKerning = 0;

    static SettingsStyle of(PanelSkin skin);

    QFont font(double pixelSize, QFont::Weight weight = QFont::Normal) const;
    QFont titleFont() const;
    // Colours of the pickers, buttons and scroll bar, as one style sheet for the whole view.
    QString styleSheet() const;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace corvanite {

// The panels' fonts, sized in pixels so that a point of the layout is one device-independent
// pixel. Built on demand from a few families; callers keep the ones they use per paint.
namespace PanelFonts {

QFont text(double pixelSize, QFont::Weight weight = QFont::Normal);
// Narrower letters for the vitals skin and tight columns.
QFont condensed(double pixelSize, QFont::Weight weight = QFont::Normal);
// Fixed-width figures for values that change every tick, so they do not jiggle.
QFont digits(double pixelSize, QFont::Weight weight = QFont::Normal);
QFont mono(double pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace PanelFonts
} // namespace corvanite

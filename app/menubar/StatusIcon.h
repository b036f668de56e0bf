// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

namespace corvanite {

// The status item's own drawing: a pulse line with a gauge needle, 21 x 18 logical pixels.
inline constexpr double kStatusIconWidth = 21.0;
inline constexpr double kStatusIconHeight = 18.0;

// The icon as a template: black ink on transparency, drawn at the given device pixel ratio so
// its strokes stay crisp on dense screens. The caller tints it for the panel it lands on.
// `description` becomes the image's "Description" text for assistive tools.
QImage makeStatusIcon(qreal devicePixelRatio = 1.0, const QString& description = {});

// The template at 1x, 2x and 3x, for painters that pick the best resolution themselves.
QIcon statusIconSet(const QString& description = {});

// Whether the surface a status item sits on is dark or light.
enum class PanelShade { Dark, Light };

// Our guess at the panel behind the item, since neither the StatusNotifierItem protocol nor
// XEmbed trays tell us its colour:
//  - GNOME Shell (XDG_CURRENT_DESKTOP contains "GNOME") always draws a dark top bar;
//  - elsewhere trays and panels follow the desktop's colour scheme, which Qt's platform theme
//    mirrors in the application palette: a Window colour darker than mid-grey means a dark panel.
PanelShade guessPanelShade(const QString& currentDesktop, const QColor& paletteWindow);
PanelShade currentPanelShade();

// Light ink on dark panels, dark ink on light ones.
QColor inkFor(PanelShade shade);

// Replaces every pixel's colour with `ink`, keeping its coverage (alpha).
QImage tintTemplate(const QImage& templateImage, const QColor& ink);

} // namespace corvanite

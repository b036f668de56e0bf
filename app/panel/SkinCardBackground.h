// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelSkin.h"

#include <QRectF>

class QPainter;

namespace corvanite {

struct PanelCardShape;

// Paints the card behind a skin's content and clips the painter to it.
namespace SkinCardBackground {

void paint(QPainter& painter, const QRectF& rect, PanelSkin skin, const PanelCardShape& shape);

} // namespace SkinCardBackground
} // namespace corvanite

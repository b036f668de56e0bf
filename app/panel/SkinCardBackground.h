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

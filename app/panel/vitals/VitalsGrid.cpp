#include "app/panel/vitals/VitalsGrid.h"

#include "app/panel/VitalsTheme.h"

#include <QPainter>

namespace corvanite::VitalsGrid {

void paint(QPainter& painter, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(VitalsTheme::gridline, 1));
    for (double x = 0; x < rect.width(); x += kPitch)
        painter.drawLine(QPointF(rect.left() + x, rect.top()),
                         QPointF(rect.left() + x, rect.bottom()));
    for (double y = 0; y < rect.height(); y += kPitch)
        painter.drawLine(QPointF(rect.left(), rect.top() + y),
                         QPointF(rect.right(), rect.top() + y));
    painter.restore();
}

} // namespace corvanite::VitalsGrid

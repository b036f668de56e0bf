#include "app/panel/vitals/VitalsGrid.h"

#include "app/panel/VitalsTheme.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace corvanite::VitalsGrid {

namespace {
void draw(QPainter& painter, const QSizeF& size)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(VitalsTheme::gridline, 1));
    for (double x = 0; x < size.width(); x += kPitch)
        painter.drawLine(QPointF(x, 0), QPointF(x, size.height()));
    for (double y = 0; y < size.height(); y += kPitch)
        painter.drawLine(QPointF(0, y), QPointF(size.width(), y));
}
} // namespace

void paint(QPainter& painter, const QRectF& rect)
{
    // Every channel's grid has the same size, and each line drawn on its own is a tall span fill
    // that Qt hands to its worker threads: one picture, drawn once, serves them all.
    const qreal dpr = painter.device()->devicePixelRatioF();
    const QSize pixels = (rect.size() * dpr).toSize();
    if (pixels.isEmpty())
        return;
    const QString key = QStringLiteral("corvanite-vitals-grid-%1x%2@%3")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(dpr);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(pixels);
        picture.setDevicePixelRatio(dpr);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        draw(p, rect.size());
        p.end();
        QPixmapCache::insert(key, picture);
    }
    painter.drawPixmap(rect.topLeft(), picture);
}

} // namespace corvanite::VitalsGrid

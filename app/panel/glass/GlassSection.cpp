#include "app/panel/glass/GlassSection.h"

#include "app/panel/Paint.h"
#include "app/panel/PanelServices.h"

#include <QPainter>
#include <QResizeEvent>

namespace corvanite {

GlassSection::GlassSection(const PanelServices& services, PanelReadings::Parts parts,
                           QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_parts(parts)
{
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts changed) {
        if (changed & m_parts)
            readingsChanged();
    });
}

const PanelReadings::Values& GlassSection::values() const
{
    return m_services.readings->values();
}

void GlassSection::relayout()
{
    const int h = contentHeight() + 2 * kPadding;
    if (height() != h) {
        setFixedHeight(h);
        Q_EMIT heightChanged();
    }
    placeChildren();
    update();
}

void GlassSection::readingsChanged()
{
    if (height() != contentHeight() + 2 * kPadding)
        relayout();
    else
        update();
}

void GlassSection::resizeEvent(QResizeEvent* event)
{
    // Wrapped content (the memory legend) needs another height at another width.
    if (event->size().width() != event->oldSize().width() &&
        height() != contentHeight() + 2 * kPadding)
        relayout();
    placeChildren();
}

void GlassSection::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint::glassCard(painter, QRectF(rect()));
    painter.translate(kPadding, kPadding);
    paintContent(painter, contentWidth());
}

} // namespace corvanite

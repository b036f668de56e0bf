// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/GlassSection.h"

#include "app/panel/Paint.h"
#include "app/panel/PanelServices.h"

#include <QPaintEvent>
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

void GlassSection::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint::cached(painter, event->region(), m_card, QString(), size(), devicePixelRatioF(),
                  [rect = QRectF(rect())](QPainter& p) { Paint::glassCard(p, rect); });
    painter.translate(kPadding, kPadding);
    paintContent(painter, contentWidth());
}

} // namespace corvanite

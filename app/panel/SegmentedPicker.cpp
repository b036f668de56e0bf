// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/SegmentedPicker.h"

#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvanite {

SegmentedPicker::SegmentedPicker(QStringList titles, Look look, int width, QWidget* parent)
    : QWidget(parent)
    , m_titles(std::move(titles))
    , m_look(std::move(look))
{
    setFixedSize(width, 20);
    setCursor(Qt::PointingHandCursor);
}

void SegmentedPicker::setCurrentIndex(int index)
{
    if (index == m_index || index < 0 || index >= m_titles.size())
        return;
    m_index = index;
    update();
    Q_EMIT currentIndexChanged(index);
}

void SegmentedPicker::setTitles(QStringList titles)
{
    m_titles = std::move(titles);
    update();
}

double SegmentedPicker::segmentWidth() const
{
    return m_titles.isEmpty() ? width() : static_cast<double>(width() - 4) / m_titles.size();
}

QFont SegmentedPicker::titleFont(bool selected) const
{
    const QFont::Weight weight = selected ? QFont::DemiBold : QFont::Medium;
    return m_look.condensed ? PanelFonts::condensed(10, weight) : PanelFonts::text(10, weight);
}

void SegmentedPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_look.track);
    painter.drawRoundedRect(r, m_look.corner, m_look.corner);
    const double w = segmentWidth();
    for (int i = 0; i < m_titles.size(); ++i) {
        const QRectF segment(2 + i * w, 2, w, r.height() - 4);
        const bool selected = i == m_index;
        if (selected) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_look.selectedFill);
            painter.drawRoundedRect(segment, m_look.corner - 2, m_look.corner - 2);
        }
        Paint::text(painter, segment.adjusted(1.5, 0, -1.5, 0), m_titles[i], titleFont(selected),
                    selected ? m_look.selectedText : m_look.text, Qt::AlignCenter);
    }
}

void SegmentedPicker::mousePressEvent(QMouseEvent* event)
{
    const int index = static_cast<int>((event->position().x() - 2) / segmentWidth());
    setCurrentIndex(std::clamp(index, 0, static_cast<int>(m_titles.size()) - 1));
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/HistoryWindowPicker.h"

#include "app/analysis/HistoryWindowState.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace corvanite {

namespace {
constexpr double kPadding = 5;
constexpr double kHeight = 16;
} // namespace

HistoryWindowPicker::HistoryWindowPicker(HistoryWindowState& state, const QColor& activeColor,
                                         const QColor& inactiveColor, bool condensed,
                                         QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_active(activeColor)
    , m_inactive(inactiveColor)
    , m_condensed(condensed)
{
    setCursor(Qt::PointingHandCursor);
    connect(&m_state, &HistoryWindowState::windowChanged, this, qOverload<>(&QWidget::update));
    refreshTitles();
}

QFont HistoryWindowPicker::fontFor(bool selected) const
{
    const QFont::Weight weight = selected ? QFont::DemiBold : QFont::Normal;
    return m_condensed ? PanelFonts::condensed(9, weight) : PanelFonts::text(9, weight);
}

void HistoryWindowPicker::refreshTitles()
{
    m_titles.clear();
    m_rects.clear();
    double x = 0;
    for (const HistoryWindow window : allHistoryWindows()) {
        const QString title = displayName(window);
        // Sized for the semibold face so the row does not shift when the choice moves.
        const double width = std::ceil(Paint::textWidth(fontFor(true), title)) + 2 * kPadding;
        m_titles.append(title);
        m_rects.append(QRectF(x, 0, width, kHeight));
        x += width + 1;
    }
    setFixedSize(static_cast<int>(std::ceil(x)), static_cast<int>(kHeight));
    update();
}

QSize HistoryWindowPicker::sizeHint() const
{
    return size();
}

void HistoryWindowPicker::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QList<HistoryWindow>& windows = allHistoryWindows();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        const bool selected = windows[i] == m_state.window();
        const QRectF r = m_rects[i];
        if (selected) {
            QColor tint = m_active;
            tint.setAlphaF(0.16f);
            painter.setPen(Qt::NoPen);
            painter.setBrush(tint);
            painter.drawRoundedRect(r, r.height() / 2, r.height() / 2);
        }
        Paint::text(painter, r, m_titles[i], fontFor(selected), selected ? m_active : m_inactive,
                    Qt::AlignCenter);
    }
}

void HistoryWindowPicker::mousePressEvent(QMouseEvent* event)
{
    const QList<HistoryWindow>& windows = allHistoryWindows();
    for (qsizetype i = 0; i < m_rects.size(); ++i) {
        if (m_rects[i].contains(event->position())) {
            m_state.setWindow(windows[i]);
            return;
        }
    }
}

} // namespace corvanite

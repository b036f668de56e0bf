// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/analysis/HistoryWindow.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QWidget>

namespace corvanite {

class HistoryWindowState;

// One small button per history window; the chosen one sits on a tinted capsule. Both skins
// use it (the vitals skin in its condensed form), and they all share one choice.
class HistoryWindowPicker : public QWidget {
    Q_OBJECT
public:
    HistoryWindowPicker(HistoryWindowState& state, const QColor& activeColor,
                        const QColor& inactiveColor, bool condensed, QWidget* parent = nullptr);

    // Relays out the titles (after a language change).
    void refreshTitles();
    QSize sizeHint() const override;
    // Where each window's button sits, in picker order.
    const QList<QRectF>& buttonRects() const { return m_rects; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QFont fontFor(bool selected) const;

    HistoryWindowState& m_state;
    QColor m_active;
    QColor m_inactive;
    bool m_condensed;
    QStringList m_titles;
    QList<QRectF> m_rects;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QScrollArea>

class QVBoxLayout;

namespace corvanite {

// The scrolling column of a panel face: rows stacked top to bottom under a fixed header, with no
// scroll bars and no background of its own, so the card behind shows through.
class PanelColumn : public QScrollArea {
    Q_OBJECT
public:
    PanelColumn(QMargins margins, int spacing, QWidget* parent = nullptr);

    // The widget the rows are made in.
    QWidget* column() const { return widget(); }
    QVBoxLayout* rows() const { return m_rows; }
    // The rows shown from top to bottom, for checks of order and visibility.
    QList<QWidget*> shownItems() const;

private:
    QVBoxLayout* m_rows;
};

} // namespace corvanite

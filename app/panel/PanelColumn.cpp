// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelColumn.h"

#include <QVBoxLayout>

namespace corvanite {

PanelColumn::PanelColumn(QMargins margins, int spacing, QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    auto* column = new QWidget();
    m_rows = new QVBoxLayout(column);
    m_rows->setContentsMargins(margins);
    m_rows->setSpacing(spacing);
    setWidget(column);
    column->setAutoFillBackground(false); // setWidget() turned it on
}

QList<QWidget*> PanelColumn::shownItems() const
{
    QList<QWidget*> items;
    for (int i = 0; i < m_rows->count(); ++i) {
        QWidget* w = m_rows->itemAt(i)->widget();
        if (w && !w->isHidden())
            items.append(w);
    }
    return items;
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsRow.h"

#include "app/panel/settings/SettingsIcon.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace corvanite {

SettingsRow::SettingsRow(const SettingsStyle& style, const QString& label, const QString& icon,
                         QWidget* control, bool isFirst, QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_style(style)
    , m_label(new QLabel(label, this))
    , m_control(control)
    , m_isFirst(isFirst)
{
    m_layout->setContentsMargins(10, 6, 10, 6);
    m_layout->setSpacing(8);
    if (!icon.isEmpty())
        m_layout->addWidget(SettingsIcon::make(icon, style.accent, 16, this), 0, Qt::AlignVCenter);
    m_label->setFont(style.font(13));
    m_label->setWordWrap(true);
    m_label->setMinimumHeight(24);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, style.rowLabel);
    m_label->setPalette(palette);
    m_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_layout->addWidget(m_label, 1);
    if (m_control) {
        m_control->setParent(this);
        m_layout->addWidget(m_control, 0, Qt::AlignVCenter | Qt::AlignRight);
    }
}

void SettingsRow::setFirst(bool first)
{
    m_isFirst = first;
    update();
}

void SettingsRow::setDimmed(bool dimmed)
{
    if (dimmed == m_dimmed)
        return;
    m_dimmed = dimmed;
    if (m_control)
        m_control->setEnabled(!dimmed);
    if (dimmed) {
        auto* effect = new QGraphicsOpacityEffect(this);
        effect->setOpacity(0.4);
        setGraphicsEffect(effect);
    } else {
        setGraphicsEffect(nullptr);
    }
}

void SettingsRow::paintEvent(QPaintEvent*)
{
    if (m_isFirst)
        return;
    QPainter p(this);
    p.setPen(QPen(m_style.separator, 1));
    p.drawLine(QPointF(10, 0.5), QPointF(width() - 10, 0.5));
}

} // namespace corvanite

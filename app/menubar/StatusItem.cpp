// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/StatusItem.h"

namespace corvanite {

StatusItem::StatusItem(QObject* parent)
    : QObject(parent)
{
}

StatusItem::~StatusItem() = default;

void StatusItem::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    changed(Aspect::Title);
}

void StatusItem::setIcon(const QIcon& templateIcon)
{
    if (templateIcon.cacheKey() == m_icon.cacheKey() || (templateIcon.isNull() && m_icon.isNull()))
        return;
    m_icon = templateIcon;
    changed(Aspect::Icon);
}

void StatusItem::setToolTip(const QString& toolTip)
{
    if (toolTip == m_toolTip)
        return;
    m_toolTip = toolTip;
    changed(Aspect::ToolTip);
}

void StatusItem::setLabel(const QString& label, const QString& guide)
{
    setStatusText(label, guide, m_columns);
}

void StatusItem::setCompactColumns(const CompactColumns& columns)
{
    setStatusText(m_label, m_labelGuide, columns);
}

void StatusItem::setStatusText(const QString& label, const QString& guide,
                               const CompactColumns& columns)
{
    if (label == m_label && guide == m_labelGuide && columns == m_columns)
        return;
    m_label = label;
    m_labelGuide = guide;
    m_columns = columns;
    changed(Aspect::Text);
}

void StatusItem::setFixedDigits(bool fixedDigits)
{
    if (fixedDigits == m_fixedDigits)
        return;
    m_fixedDigits = fixedDigits;
    changed(Aspect::Font);
}

void StatusItem::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    changed(Aspect::Visibility);
}

} // namespace corvanite

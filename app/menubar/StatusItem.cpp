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
    if (label == m_label && guide == m_labelGuide)
        return;
    m_label = label;
    m_labelGuide = guide;
    changed(Aspect::Label);
}

void StatusItem::setCompactColumns(const CompactColumns& columns)
{
    if (columns == m_columns)
        return;
    m_columns = columns;
    changed(Aspect::Columns);
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

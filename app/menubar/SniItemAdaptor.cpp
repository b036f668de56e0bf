// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/SniItemAdaptor.h"

#include "app/menubar/SniStatusItem.h"

namespace corvanite {

SniItemAdaptor::SniItemAdaptor(SniStatusItem* item)
    : QDBusAbstractAdaptor(item)
    , m_item(item)
{
}

QString SniItemAdaptor::id() const
{
    return m_item->id();
}

QString SniItemAdaptor::title() const
{
    return m_item->title();
}

QString SniItemAdaptor::status() const
{
    return m_item->status();
}

QDBusObjectPath SniItemAdaptor::menu() const
{
    return QDBusObjectPath(m_item->menuPath());
}

SniPixmapList SniItemAdaptor::iconPixmap() const
{
    return m_item->iconPixmaps();
}

SniToolTip SniItemAdaptor::toolTip() const
{
    return m_item->sniToolTip();
}

QString SniItemAdaptor::label() const
{
    return m_item->label();
}

QString SniItemAdaptor::labelGuide() const
{
    return m_item->labelGuide();
}

void SniItemAdaptor::Activate(int x, int y)
{
    m_item->hostActivate(x, y);
}

void SniItemAdaptor::SecondaryActivate(int, int) {}

void SniItemAdaptor::ContextMenu(int x, int y)
{
    m_item->hostContextMenu(x, y);
}

void SniItemAdaptor::Scroll(int, const QString&) {}

} // namespace corvanite

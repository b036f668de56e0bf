// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>

namespace corvanite {

// One image of a StatusNotifierItem: width, height and ARGB32 pixels in network byte order,
// the D-Bus struct (iiay).
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;

    bool operator==(const SniPixmap& other) const = default;

    static SniPixmap fromImage(const QImage& image);
    QImage toImage() const;
};
using SniPixmapList = QList<SniPixmap>;

// The item's tool tip, (sa(iiay)ss): icon name, icon images, title and description.
struct SniToolTip {
    QString iconName;
    SniPixmapList pixmaps;
    QString title;
    QString description;

    bool operator==(const SniToolTip& other) const = default;
};

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& toolTip);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& toolTip);

// Makes the types known to Qt D-Bus; safe to call more than once.
void registerSniTypes();

} // namespace corvanite

Q_DECLARE_METATYPE(corvanite::SniPixmap)
Q_DECLARE_METATYPE(corvanite::SniToolTip)

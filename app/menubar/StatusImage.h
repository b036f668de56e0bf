// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace corvanite {

// Figures in their compact form, grouped in columns of one or two short lines (for example
// {"23%", "61%"} and {"↓1.2M", "↑45K"}), so they stay legible in a square-ish icon slot.
using CompactColumns = QList<QStringList>;

// Draws what a status item shows into an image for hosts that can only show an image. Sizes
// are in logical pixels for a slot `height` high; the image carries `dpr`.
//
// Font sizes follow the slot: the plain line uses 58 % of the height (about the 13 px of a
// 22 px panel), the fixed-digit compact line 50 % in medium weight (the 11 points of a
// compact menu bar), and the two-line columns a condensed demi-bold face at 45 %.
class StatusImage {
public:
    // [icon] text, on one line.
    static QImage line(const QIcon& templateIcon, const QString& text, bool fixedDigits, int height,
                       qreal dpr, const QColor& ink);
    static int lineWidth(const QIcon& templateIcon, const QString& text, bool fixedDigits,
                         int height);

    // [icon] columns of one or two lines each.
    static QImage columns(const QIcon& templateIcon, const CompactColumns& columns, int height,
                          qreal dpr, const QColor& ink);
    static int columnsWidth(const QIcon& templateIcon, const CompactColumns& columns, int height);

    // The icon alone, centred in a square slot.
    static QImage icon(const QIcon& templateIcon, int height, qreal dpr, const QColor& ink);

    // Up to two figures stacked in a square `size` wide, each in the largest face that lets
    // both fit: what a host that squeezes every item into a square can still show legibly.
    static QImage stacked(const QStringList& figures, int size, qreal dpr, const QColor& ink);
    // The pixel size stacked() draws `figures` with.
    static int stackedPixelSize(const QStringList& figures, int size);

    // `content` over the item's own dark, rounded backdrop, for when the panel's colour behind
    // the item is unknown: light ink on it reads on light and dark panels alike.
    static QImage onBackdrop(const QImage& content);
};

} // namespace corvanite

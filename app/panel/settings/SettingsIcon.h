// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace corvanite {

// The settings rows name their symbols by the design's neutral names ("globe", "timer"); each
// is drawn as a ligature of the Material Icons font, so no code point is hard-wired.
namespace SettingsIcon {

// The ligature for `name`; "help" for a name not in the table.
QString glyph(const QString& name);
bool isKnown(const QString& name);
QFont font(double pixelSize);
// A label drawing one symbol in `color`, square, `pixelSize` tall.
QLabel* make(const QString& name, const QColor& color, double pixelSize, QWidget* parent);

} // namespace SettingsIcon
} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace corvanite {

// The panels name their symbols after the desktop-neutral names the design uses
// ("cpu", "pin.fill"); this table maps each to a glyph of the Material Icons font, drawn by its
// ligature name so no code point is hard-wired.
namespace Symbols {

inline const QString kFontFamily = QStringLiteral("Material Icons");

// The ligature that draws `name`; a question-mark glyph for a name not in the table.
QString glyph(const QString& name);
// Every symbol name of the table, for checks that each really draws one glyph.
QStringList names();
// The icon font at a pixel size.
QFont font(double pixelSize);

} // namespace Symbols
} // namespace corvanite

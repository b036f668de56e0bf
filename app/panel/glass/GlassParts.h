// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QPainter;

namespace corvanite {

// Drawing pieces several glass cards share.
namespace GlassParts {

constexpr double kHeaderRow = 46;

// Tile, the title at 11 points over the big value at 26 points; returns the x after the column.
double headerRow(QPainter& painter, const QString& symbol, const QColor& color,
                 const QString& title, const QString& value);
// A load bar row: label column, capsule bar, value column (for cores and GPU engines).
void meterRow(QPainter& painter, double x, double y, double width, const QString& label,
              double labelWidth, std::optional<double> percent, bool labelIsMono = false);

} // namespace GlassParts
} // namespace corvanite

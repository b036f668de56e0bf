// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvanite {

// The two looks of the drop-down panel, in picker order.
enum class PanelSkin { Glass, Vitals };

QString rawValue(PanelSkin skin);
std::optional<PanelSkin> panelSkinFromRaw(const QString& raw);
// Localisation key of the skin's name: "skin." followed by the raw value.
QString displayKey(PanelSkin skin);
const QList<PanelSkin>& allPanelSkins();

} // namespace corvanite

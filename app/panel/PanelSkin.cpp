// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelSkin.h"

namespace corvanite {

QString rawValue(PanelSkin skin)
{
    return skin == PanelSkin::Vitals ? QStringLiteral("vitals") : QStringLiteral("glass");
}

std::optional<PanelSkin> panelSkinFromRaw(const QString& raw)
{
    for (PanelSkin skin : allPanelSkins()) {
        if (rawValue(skin) == raw)
            return skin;
    }
    return std::nullopt;
}

QString displayKey(PanelSkin skin)
{
    return QStringLiteral("skin.") + rawValue(skin);
}

const QList<PanelSkin>& allPanelSkins()
{
    static const QList<PanelSkin> all{PanelSkin::Glass, PanelSkin::Vitals};
    return all;
}

} // namespace corvanite

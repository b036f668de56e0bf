// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/SkinManager.h"

#include "platform/Preferences.h"

namespace corvanite {

namespace {
const QString kKey = QStringLiteral("panelSkin");
}

SkinManager::SkinManager(Preferences& preferences, QObject* parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_skin(preferences.stringValue(kKey) == QLatin1String("vitals") ? PanelSkin::Vitals
                                                                      : PanelSkin::Glass)
{
}

SkinManager& SkinManager::shared()
{
    static SkinManager* manager = new SkinManager(Preferences::standard());
    return *manager;
}

void SkinManager::setSkin(PanelSkin skin)
{
    m_skin = skin;
    m_preferences.setString(kKey, rawValue(skin));
    Q_EMIT skinChanged();
}

} // namespace corvanite

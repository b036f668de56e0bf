// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/PanelSkin.h"

#include <QObject>

namespace corvanite {

class Preferences;

// The panel skin the user chose, kept under "panelSkin". Anything but "vitals" reads as glass.
class SkinManager : public QObject {
    Q_OBJECT
public:
    explicit SkinManager(Preferences& preferences, QObject* parent = nullptr);
    static SkinManager& shared();

    PanelSkin skin() const { return m_skin; }
    // Stores the raw value and notifies, also when the skin stays the same.
    void setSkin(PanelSkin skin);

Q_SIGNALS:
    void skinChanged();

private:
    Preferences& m_preferences;
    PanelSkin m_skin;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsServices.h"

#include <QWidget>

namespace corvanite {

class PanelFlipState;
class SettingsButton;
class SettingsContent;

// The panel's back face: a header with the title and a back button over the settings view.
// The back button, and Escape anywhere on the face, turn the readings up again.
class SettingsFlipFace : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeaderHeight = 40;

    SettingsFlipFace(const SettingsServices& services, PanelFlipState& flip,
                     QWidget* parent = nullptr);

    SettingsButton* backButton() const { return m_back; }
    SettingsContent* content() const { return m_content; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();

    SettingsServices m_services;
    PanelFlipState& m_flip;
    SettingsButton* m_back;
    SettingsContent* m_content;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsStyle.h"

#include <QWidget>

#include <functional>

namespace corvanite {

class SettingsButton;

// The first-run bubble's content: a header, three lines on how the status item is used and a
// dismiss button, on the skin's card with an arrow pointing at the item.
class FirstRunTip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kArrowHeight = 8;
    static constexpr int kArrowWidth = 20;

    FirstRunTip(const SettingsStyle& style, std::function<void()> onDismiss,
                QWidget* parent = nullptr);

    // The arrow tip's distance from the left edge; `pointsUp` false puts it on the bottom edge,
    // for a tip opened above its item.
    void setArrow(double arrowX, bool pointsUp);
    double arrowX() const { return m_arrowX; }
    bool pointsUp() const { return m_pointsUp; }
    SettingsButton* dismissButton() const { return m_dismiss; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SettingsStyle m_style;
    std::function<void()> m_onDismiss;
    SettingsButton* m_dismiss;
    double m_arrowX = 140;
    bool m_pointsUp = true;
};

} // namespace corvanite

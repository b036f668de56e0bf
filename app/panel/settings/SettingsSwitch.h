// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>

namespace corvanite {

// An on/off switch drawn as a pill with a knob. Space, Enter and Return toggle it, so it can be
// worked from the keyboard like every other control of the view.
class SettingsSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit SettingsSwitch(const QColor& accent, const QColor& track, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_accent;
    QColor m_track;
};

} // namespace corvanite

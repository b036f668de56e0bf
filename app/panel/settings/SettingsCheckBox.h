// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>

namespace corvanite {

// The tick box of a check row: a filled, ticked square when on, an empty one when off. Space,
// Enter and Return toggle it.
class SettingsCheckBox : public QAbstractButton {
    Q_OBJECT
public:
    SettingsCheckBox(const QColor& accent, const QColor& off, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_accent;
    QColor m_off;
};

} // namespace corvanite

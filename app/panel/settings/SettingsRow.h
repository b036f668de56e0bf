// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsStyle.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;

namespace corvanite {

// One line of a settings card: an optional icon, a label and a trailing control. Every row but
// the first of its card draws a separator along its top edge.
class SettingsRow : public QWidget {
    Q_OBJECT
public:
    SettingsRow(const SettingsStyle& style, const QString& label, const QString& icon,
                QWidget* control, bool isFirst, QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }
    QWidget* control() const { return m_control; }
    bool isFirst() const { return m_isFirst; }
    void setFirst(bool first);

    // Disabled rows are drawn at 40% opacity and their control refuses input and focus.
    void setDimmed(bool dimmed);
    bool isDimmed() const { return m_dimmed; }

protected:
    void paintEvent(QPaintEvent* event) override;

    QHBoxLayout* m_layout;

private:
    SettingsStyle m_style;
    QLabel* m_label;
    QWidget* m_control;
    bool m_isFirst;
    bool m_dimmed = false;
};

} // namespace corvanite

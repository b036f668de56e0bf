// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/settings/SettingsStyle.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace corvanite {

class SettingsRow;

// A titled card of settings rows. Rows, sub-headings and hints are stacked in the order added;
// the first row of the card draws no separator above it.
class SettingsSection : public QWidget {
    Q_OBJECT
public:
    SettingsSection(const SettingsStyle& style, const QString& title, QWidget* parent = nullptr);

    SettingsRow* addRow(const QString& label, const QString& icon, QWidget* control);
    void addRow(SettingsRow* row);
    // A small heading inside the card, above a group of check rows.
    QLabel* addSubheading(const QString& text);
    // A wrapped note in the hint colour.
    QLabel* addHint(const QString& text);
    // Any other widget, full width, with the rows' side margins; returns the holder to show or
    // hide with it.
    QWidget* addWidget(QWidget* widget);

    QWidget* card() const { return m_card; }
    QLabel* title() const { return m_title; }
    const SettingsStyle& style() const { return m_style; }
    // Whether the next row added is the card's first (nothing with a separator above it yet).
    bool nextRowIsFirst() const { return m_rows == 0; }
    // Starts a fresh group: the next row draws no separator (after a sub-heading or a hint).
    void resetFirst() { m_rows = 0; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SettingsStyle m_style;
    QLabel* m_title;
    QWidget* m_card;
    QVBoxLayout* m_cardLayout;
    int m_rows = 0;
};

} // namespace corvanite

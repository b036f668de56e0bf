// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/process/ProcessViewStyle.h"

#include <QWidget>

class QLineEdit;

namespace corvanite {

class SymbolButton;

// The filter field above the process list: a magnifier, the text and a clear button while
// there is text. It takes the keyboard as soon as it is shown.
class ProcessSearchBar : public QWidget {
    Q_OBJECT
public:
    explicit ProcessSearchBar(ProcessViewStyle style, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    bool showsClearButton() const;
    QLineEdit* field() const { return m_field; }
    void clear();

Q_SIGNALS:
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ProcessViewStyle m_style;
    QLineEdit* m_field;
    SymbolButton* m_clear;
};

} // namespace corvanite

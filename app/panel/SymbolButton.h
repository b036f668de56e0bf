// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>

namespace corvanite {

// A plain button that is only a symbol: no frame, a pointing hand, dimmed while disabled.
class SymbolButton : public QAbstractButton {
    Q_OBJECT
public:
    SymbolButton(const QString& symbol, double pixelSize, const QColor& color,
                 QWidget* parent = nullptr);

    void setSymbol(const QString& symbol);
    void setColor(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    double m_pixelSize;
    QColor m_color;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QMargins>

namespace corvanite {

// A symbol and a short title in white on a capsule of one colour (resume, pause, terminate).
class CapsuleButton : public QAbstractButton {
    Q_OBJECT
public:
    struct Look {
        double pixelSize = 11;
        double symbolGap = 4;
        QMargins margins{12, 5, 12, 5};
    };
    CapsuleButton(const QString& symbol, const QString& title, const QColor& color, Look look,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QColor m_color;
    Look m_look;
};

} // namespace corvanite

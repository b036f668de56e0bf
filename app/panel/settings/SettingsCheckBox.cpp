// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsCheckBox.h"

#include "app/panel/settings/SettingsIcon.h"

#include <QKeyEvent>
#include <QPainter>

namespace corvanite {

SettingsCheckBox::SettingsCheckBox(const QColor& accent, const QColor& off, QWidget* parent)
    : QAbstractButton(parent)
    , m_accent(accent)
    , m_off(off)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize SettingsCheckBox::sizeHint() const
{
    return {24, 24};
}

void SettingsCheckBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.4);
    if (hasFocus()) {
        p.setPen(QPen(m_accent.lighter(140), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
    }
    p.setFont(SettingsIcon::font(20));
    p.setPen(isChecked() ? m_accent : m_off);
    const QString name =
        isChecked() ? QStringLiteral("checkmark.square.fill") : QStringLiteral("square");
    p.drawText(rect(), Qt::AlignCenter, SettingsIcon::glyph(name));
}

void SettingsCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsSwitch.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace corvanite {

SettingsSwitch::SettingsSwitch(const QColor& accent, const QColor& track, QWidget* parent)
    : QAbstractButton(parent)
    , m_accent(accent)
    , m_track(track)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

QSize SettingsSwitch::sizeHint() const
{
    return {38, 22};
}

void SettingsSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF track = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double radius = track.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(isChecked() ? m_accent : m_track);
    p.drawRoundedRect(track, radius, radius);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(m_accent.lighter(140), 1.5));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), radius + 2,
                          radius + 2);
        p.setPen(Qt::NoPen);
    }
    const double knob = track.height() - 4;
    const double x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    p.setBrush(QColor(255, 255, 255, 245));
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

void SettingsSwitch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace corvanite

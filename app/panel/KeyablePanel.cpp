// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/KeyablePanel.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace corvanite {

KeyablePanel::KeyablePanel(Presentation presentation, QWidget* parent)
    : QWidget(parent, presentation == Presentation::Popup
                          ? Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                          : Qt::Window)
    , m_presentation(presentation)
{
    setObjectName(QStringLiteral("CorvanitePanel"));
    if (presentation == Presentation::Popup)
        setAttribute(Qt::WA_TranslucentBackground);
    else
        setWindowTitle(QStringLiteral("Corvanite"));
    setFocusPolicy(Qt::StrongFocus);
}

void KeyablePanel::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (m_presentation == Presentation::Window)
        Q_EMIT windowClosed();
}

bool KeyablePanel::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        Q_EMIT focusLost();
    return QWidget::event(event);
}

void KeyablePanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Q_EMIT cancelled();
        return;
    }
    QWidget::keyPressEvent(event);
}

void KeyablePanel::setContent(QWidget* content)
{
    delete m_content;
    m_content = content;
    if (!content)
        return;
    content->setParent(this);
    content->setGeometry(rect());
    content->show();
}

void KeyablePanel::resizeEvent(QResizeEvent*)
{
    if (m_content)
        m_content->setGeometry(rect());
}

void KeyablePanel::paintEvent(QPaintEvent*)
{
    if (m_content)
        return;
    // A plain dark card until the skins draw their own.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_presentation == Presentation::Window) {
        // The window manager draws the frame; the card fills the window.
        painter.fillRect(rect(), QColor(0x1c, 0x1d, 0x22));
        return;
    }
    painter.setPen(QColor(255, 255, 255, 40));
    painter.setBrush(QColor(0x1c, 0x1d, 0x22));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 8.5, -0.5, -0.5), 14, 14);
}

} // namespace corvanite

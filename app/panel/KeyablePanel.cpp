#include "app/panel/KeyablePanel.h"

#include <QKeyEvent>
#include <QPainter>

namespace corvanite {

KeyablePanel::KeyablePanel(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("CorvanitePanel"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::StrongFocus);
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

void KeyablePanel::paintEvent(QPaintEvent*)
{
    // A plain dark card until the skins draw their own.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(255, 255, 255, 40));
    painter.setBrush(QColor(0x1c, 0x1d, 0x22));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 8.5, -0.5, -0.5), 14, 14);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/PausedBanner.h"

#include "app/base/L10n.h"
#include "app/panel/CapsuleButton.h"
#include "app/panel/Paint.h"
#include "app/panel/Theme.h"
#include "app/process/PauseManager.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kLineHeight = 30;
constexpr int kSpacing = 4;
} // namespace

PausedBanner::PausedBanner(PauseManager& pause, ProcessViewStyle style, QWidget* parent)
    : QWidget(parent)
    , m_pause(pause)
    , m_style(std::move(style))
{
    connect(&m_pause, &PauseManager::pausedChanged, this, &PausedBanner::rebuild);
    rebuild();
}

int PausedBanner::lineCount() const
{
    return static_cast<int>(m_pause.paused().size());
}

void PausedBanner::rebuild()
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    const QList<PausedGroup> groups = m_pause.paused();
    const QMargins m = m_style.outerMargins;
    const int height = groups.isEmpty()
                           ? 0
                           : m.top() + m.bottom() + static_cast<int>(groups.size()) * kLineHeight +
                                 (static_cast<int>(groups.size()) - 1) * kSpacing;
    CapsuleButton::Look look;
    look.pixelSize = 10;
    look.symbolGap = 3;
    look.margins = QMargins(9, 3, 9, 3);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        auto* button =
            new CapsuleButton(QStringLiteral("play.fill"), L(QStringLiteral("paused.resume")),
                              Theme::green, look, this);
        const PausedGroup group = groups[i];
        connect(button, &QAbstractButton::clicked, this, [this, group] { m_pause.resume(group); });
        m_buttons.append(button);
        button->show();
    }
    setFixedHeight(height);
    setVisible(height > 0);
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        QWidget* b = m_buttons[i];
        const int top = m.top() + static_cast<int>(i) * (kLineHeight + kSpacing);
        b->move(width() - m.right() - 10 - b->width(), top + (kLineHeight - b->height()) / 2);
    }
    update();
    Q_EMIT heightChanged();
}

void PausedBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QList<PausedGroup> groups = m_pause.paused();
    const QMargins m = m_style.outerMargins;
    QColor fill = m_style.energy;
    fill.setAlphaF(0.10f);
    QColor outline = m_style.energy;
    outline.setAlphaF(0.35f);
    for (qsizetype i = 0; i < groups.size() && i < m_buttons.size(); ++i) {
        const QRectF line(m.left() + 0.25, m.top() + i * (kLineHeight + kSpacing) + 0.25,
                          width() - m.left() - m.right() - 0.5, kLineHeight - 0.5);
        painter.setBrush(fill);
        painter.setPen(QPen(outline, 0.5));
        painter.drawRoundedRect(line, m_style.cornerRadius, m_style.cornerRadius);
        // Buttons follow the width, which is known only once laid out.
        QWidget* b = m_buttons[i];
        const QPoint at(qRound(line.right() - 10 - b->width()),
                        qRound(line.top() + (kLineHeight - b->height()) / 2.0));
        if (b->pos() != at)
            b->move(at);
        Paint::symbol(painter, QRectF(line.left() + 10, line.top(), 16, kLineHeight),
                      QStringLiteral("pause.circle.fill"), 13, m_style.energy);
        const double textX = line.left() + 10 + 16 + 7;
        Paint::text(painter, QRectF(textX, line.top(), b->x() - 8 - textX, kLineHeight),
                    L(QStringLiteral("paused.banner"), {groups[i].name}), m_style.lineFont(),
                    m_style.primaryText, Qt::AlignLeft | Qt::AlignVCenter, Qt::ElideMiddle);
    }
}

} // namespace corvanite

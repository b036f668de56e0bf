// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/process/ProcessSearchBar.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/SymbolButton.h"

#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace corvanite {

namespace {
constexpr int kHeight = 26;
} // namespace

ProcessSearchBar::ProcessSearchBar(ProcessViewStyle style, QWidget* parent)
    : QWidget(parent)
    , m_style(std::move(style))
    , m_field(new QLineEdit(this))
    , m_clear(new SymbolButton(QStringLiteral("xmark.circle.fill"), 11, m_style.mutedText, this))
{
    setFixedHeight(kHeight);
    m_field->setFrame(false);
    m_field->setFont(m_style.condensed ? PanelFonts::condensed(11) : PanelFonts::text(11));
    m_field->setPlaceholderText(L(QStringLiteral("proc.search.placeholder")));
    QPalette palette = m_field->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, m_style.primaryText);
    palette.setColor(QPalette::PlaceholderText, m_style.mutedText);
    m_field->setPalette(palette);
    // Drawn on the bar's own well whatever the widget style paints for fields.
    m_field->setStyleSheet(
        QStringLiteral("QLineEdit { background: transparent; border: none; "
                       "color: %1; selection-background-color: %2; }")
            .arg(m_style.primaryText.name(QColor::HexArgb), m_style.accent.name(QColor::HexArgb)));
    m_field->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_clear->hide();
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_clear->setVisible(!text.isEmpty());
        Q_EMIT textChanged(text);
    });
    connect(m_clear, &QAbstractButton::clicked, this, &ProcessSearchBar::clear);
}

QString ProcessSearchBar::text() const
{
    return m_field->text();
}

void ProcessSearchBar::setText(const QString& text)
{
    m_field->setText(text);
}

bool ProcessSearchBar::showsClearButton() const
{
    return !m_clear->isHidden();
}

void ProcessSearchBar::clear()
{
    m_field->clear();
}

void ProcessSearchBar::showEvent(QShowEvent*)
{
    QTimer::singleShot(0, m_field, [field = m_field] { field->setFocus(Qt::OtherFocusReason); });
}

void ProcessSearchBar::resizeEvent(QResizeEvent*)
{
    const int left = 8 + 12 + 6;
    const int clearW = m_clear->width();
    m_field->setGeometry(left, 0, width() - left - 8 - clearW, height());
    m_clear->move(width() - 8 - clearW + 4, (height() - m_clear->height()) / 2);
}

void ProcessSearchBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    painter.setBrush(m_style.well);
    painter.setPen(QPen(m_style.outline, 0.5));
    painter.drawRoundedRect(r, m_style.searchCorner, m_style.searchCorner);
    Paint::symbol(painter, QRectF(8, 0, 12, height()), QStringLiteral("magnifyingglass"), 12,
                  m_style.mutedText);
}

} // namespace corvanite

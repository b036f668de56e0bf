// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsSection.h"

#include "app/panel/settings/SettingsRow.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace corvanite {

namespace {

QLabel* styledLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace

SettingsSection::SettingsSection(const SettingsStyle& style, const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_style(style)
    , m_title(styledLabel(title, style.titleFont(), style.sectionTitle, this))
    , m_card(new QWidget(this))
    , m_cardLayout(new QVBoxLayout(m_card))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    m_title->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_card);
    m_cardLayout->setContentsMargins(0, 4, 0, 4);
    m_cardLayout->setSpacing(0);
}

SettingsRow* SettingsSection::addRow(const QString& label, const QString& icon, QWidget* control)
{
    auto* row = new SettingsRow(m_style, label, icon, control, nextRowIsFirst(), m_card);
    addRow(row);
    return row;
}

void SettingsSection::addRow(SettingsRow* row)
{
    row->setParent(m_card);
    row->setFirst(nextRowIsFirst());
    m_cardLayout->addWidget(row);
    ++m_rows;
}

QLabel* SettingsSection::addSubheading(const QString& text)
{
    QLabel* label = styledLabel(text, m_style.font(12, QFont::DemiBold), m_style.rowValue, m_card);
    label->setContentsMargins(10, 10, 10, 2);
    m_cardLayout->addWidget(label);
    resetFirst();
    return label;
}

QLabel* SettingsSection::addHint(const QString& text)
{
    QLabel* label = styledLabel(text, m_style.font(11), m_style.hint, m_card);
    label->setContentsMargins(10, 4, 10, 6);
    m_cardLayout->addWidget(label);
    resetFirst();
    return label;
}

QWidget* SettingsSection::addWidget(QWidget* widget)
{
    widget->setParent(m_card);
    auto* holder = new QWidget(m_card);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->addWidget(widget);
    m_cardLayout->addWidget(holder);
    return holder;
}

void SettingsSection::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(m_card->geometry()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(m_style.cardBorder, 1));
    p.setBrush(m_style.cardFill);
    p.drawRoundedRect(card, m_style.corner, m_style.corner);
}

} // namespace corvanite

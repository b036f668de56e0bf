// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsCheckRow.h"

#include "app/panel/settings/SettingsCheckBox.h"

#include <QHBoxLayout>

#include <QLabel>
#include <QMouseEvent>

namespace corvanite {

SettingsCheckRow::SettingsCheckRow(const SettingsStyle& style, const QString& label, bool isFirst,
                                   std::function<bool()> read, std::function<void(bool)> write,
                                   QWidget* parent)
    : SettingsRow(style, label, QString(), new SettingsCheckBox(style.accent, style.hint), isFirst,
                  parent)
    , m_box(static_cast<SettingsCheckBox*>(control()))
    , m_read(std::move(read))
    , m_write(std::move(write))
{
    // The box leads the row, as a check list reads.
    m_layout->removeWidget(m_box);
    m_layout->insertWidget(0, m_box, 0, Qt::AlignVCenter);
    connect(m_box, &QAbstractButton::clicked, this, [this](bool on) {
        m_write(on);
        refresh();
    });
    refresh();
}

void SettingsCheckRow::refresh()
{
    m_box->setChecked(m_read());
}

void SettingsCheckRow::mouseReleaseEvent(QMouseEvent* event)
{
    // The label is part of the target, as with any check box.
    if (m_box->isEnabled() && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        m_box->click();
    SettingsRow::mouseReleaseEvent(event);
}

} // namespace corvanite

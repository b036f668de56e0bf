// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsTrendBar.h"

#include "app/base/L10n.h"
#include "app/panel/HistoryWindowPicker.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/VitalsTheme.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kSide = 12;
} // namespace

VitalsTrendBar::VitalsTrendBar(HistoryWindowState& state, QWidget* parent)
    : QWidget(parent)
    , m_picker(new HistoryWindowPicker(state, VitalsTheme::ecg, VitalsTheme::dimText, true, this))
{
    setFixedHeight(kHeight);
    m_picker->resize(m_picker->sizeHint());
}

void VitalsTrendBar::resizeEvent(QResizeEvent*)
{
    m_picker->move(width() - kSide - m_picker->width(), (kHeight - 1 - m_picker->height()) / 2);
}

void VitalsTrendBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint::text(painter, QRectF(kSide, 0, m_picker->x() - kSide - 8, kHeight - 1),
                L(QStringLiteral("vitals.trend")), PanelFonts::condensed(9, QFont::Medium),
                VitalsTheme::dimText);
    painter.fillRect(QRectF(0, kHeight - 1, width(), 1), VitalsTheme::hairline);
}

} // namespace corvanite

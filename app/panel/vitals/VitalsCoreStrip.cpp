// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsCoreStrip.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsChannelRow.h"

#include <QPainter>

#include <algorithm>

namespace corvanite {

namespace {
constexpr double kCellTop = 7;
constexpr double kCell = 12;
constexpr double kCellGap = 2;
} // namespace

VitalsCoreStrip::VitalsCoreStrip(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
}

void VitalsCoreStrip::setCores(const QList<double>& perCore)
{
    const QList<double> shown = perCore.mid(0, kMaxCores);
    if (shown == m_cores)
        return;
    m_cores = shown;
    update();
}

QString VitalsCoreStrip::labelText() const
{
    return L(QStringLiteral("vitals.core.channels"), {static_cast<int>(m_cores.size())});
}

QList<QRectF> VitalsCoreStrip::cellRects() const
{
    QList<QRectF> rects;
    if (m_cores.isEmpty())
        return rects;
    constexpr double left =
        VitalsChannelRow::kSide + VitalsChannelRow::kLeft + VitalsChannelRow::kGap;
    const double room = width() - VitalsChannelRow::kSide - left;
    const double n = static_cast<double>(m_cores.size());
    const double w = (room - kCellGap * (n - 1)) / n;
    for (qsizetype i = 0; i < m_cores.size(); ++i)
        rects.append(QRectF(left + static_cast<double>(i) * (w + kCellGap), kCellTop, w, kCell));
    return rects;
}

void VitalsCoreStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRectF(0, 0, width(), 1), VitalsTheme::hairline);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint::text(
        painter,
        QRectF(VitalsChannelRow::kSide, kCellTop - 2, VitalsChannelRow::kLeft + 4, kCell + 4),
        labelText(), PanelFonts::condensed(9, QFont::Medium), VitalsTheme::dimText);
    const QList<QRectF> rects = cellRects();
    painter.setPen(Qt::NoPen);
    for (qsizetype i = 0; i < rects.size(); ++i) {
        painter.setBrush(VitalsTheme::coreWell);
        painter.drawRoundedRect(rects[i], 2, 2);
        QColor tint = VitalsTheme::coreColor(m_cores[i]);
        tint.setAlphaF(static_cast<float>(0.6 * std::clamp(m_cores[i] / 100, 0.0, 1.0)));
        painter.setBrush(tint);
        painter.drawRoundedRect(rects[i], 2, 2);
    }
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsGPUStrip.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsChannelRow.h"

#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace corvanite {

namespace {
constexpr int kRowTop = 7;
constexpr int kRow = 12;
constexpr int kRowGap = 7;
constexpr double kCellGap = 2;
constexpr double kBarW = 52;
constexpr double kValueW = 20;
constexpr double kGaugeGap = 4;
constexpr double kContentLeft =
    VitalsChannelRow::kSide + VitalsChannelRow::kLeft + VitalsChannelRow::kGap;
} // namespace

VitalsGPUStrip::VitalsGPUStrip(QWidget* parent)
    : QWidget(parent)
    , m_litAnimation(new QVariantAnimation(this))
{
    m_litAnimation->setDuration(kLedAnimationMs);
    m_litAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_litAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_lit = v.toDouble();
        update();
    });
    setFixedHeight(heightFor(m_sample));
}

int VitalsGPUStrip::litCells(double deviceUtil, int coreCount)
{
    return static_cast<int>(std::lround(std::clamp(deviceUtil, 0.0, 100.0) / 100.0 * coreCount));
}

bool VitalsGPUStrip::hasMeter() const
{
    return m_sample.coreCount && *m_sample.coreCount >= 1;
}

int VitalsGPUStrip::heightFor(const GPUSample& sample) const
{
    const bool meter = sample.coreCount && *sample.coreCount >= 1;
    return kRowTop + (meter ? kRow + kRowGap : 0) + kRow + kRowTop;
}

void VitalsGPUStrip::setSample(const GPUSample& sample)
{
    if (sample == m_sample)
        return;
    m_sample = sample;
    setFixedHeight(heightFor(sample));
    const double target = hasMeter() ? litCells(sample.deviceUtil, *sample.coreCount) : 0;
    m_litAnimation->stop();
    if (isVisible() && std::abs(target - m_lit) > 0.01) {
        m_litAnimation->setStartValue(m_lit);
        m_litAnimation->setEndValue(target);
        m_litAnimation->start();
    } else {
        m_lit = target;
    }
    update();
}

void VitalsGPUStrip::hideEvent(QHideEvent*)
{
    if (m_litAnimation->state() == QAbstractAnimation::Running) {
        m_litAnimation->stop();
        m_lit = m_litAnimation->endValue().toDouble();
    }
}

void VitalsGPUStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRectF(0, 0, width(), 1), VitalsTheme::hairline);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont labelFont = PanelFonts::condensed(9, QFont::Medium);
    const double labelW = VitalsChannelRow::kLeft + 4;
    const double right = width() - VitalsChannelRow::kSide;
    double y = kRowTop;
    if (hasMeter()) {
        const int count = *m_sample.coreCount;
        Paint::text(painter, QRectF(VitalsChannelRow::kSide, y - 2, labelW, kRow + 4),
                    L(QStringLiteral("vitals.gpu.coreCount"), {count}), labelFont,
                    VitalsTheme::dimText);
        const double w = (right - kContentLeft - kCellGap * (count - 1)) / count;
        const int lit = static_cast<int>(std::lround(m_lit));
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < count; ++i) {
            const QRectF cell(kContentLeft + i * (w + kCellGap), y, std::max(w, 0.5), kRow);
            if (i < lit) {
                QColor glow = VitalsTheme::gpu;
                glow.setAlphaF(0.6f * 0.35f);
                painter.setBrush(glow); // a 2-point halo stands in for the glow
                painter.drawRoundedRect(cell.adjusted(-1, -1, 1, 1), 2.5, 2.5);
                painter.setBrush(VitalsTheme::gpu);
            } else {
                painter.setBrush(VitalsTheme::coreWell);
            }
            painter.drawRoundedRect(cell, 1.5, 1.5);
        }
        y += kRow + kRowGap;
    }
    Paint::text(painter, QRectF(VitalsChannelRow::kSide, y - 2, labelW, kRow + 4),
                L(QStringLiteral("vitals.gpu.engines")), labelFont, VitalsTheme::dimText);
    const QFont gaugeFont = PanelFonts::condensed(8, QFont::DemiBold);
    const QFont valueFont = PanelFonts::condensed(9);
    double x = kContentLeft;
    for (const auto& [key, value] :
         {std::pair{QStringLiteral("vitals.gpu.device"), m_sample.deviceUtil},
          std::pair{QStringLiteral("vitals.gpu.renderer"), m_sample.rendererUtil.value_or(0)},
          std::pair{QStringLiteral("vitals.gpu.tiler"), m_sample.tilerUtil.value_or(0)}}) {
        const QString label = L(key);
        const double lw = Paint::textWidth(gaugeFont, label) + 1;
        Paint::text(painter, QRectF(x, y, lw, kRow), label, gaugeFont, VitalsTheme::dimText);
        x += lw + 3;
        const QRectF bar(x, y + (kRow - 6) / 2.0, kBarW, 6);
        painter.setPen(Qt::NoPen);
        painter.setBrush(VitalsTheme::coreWell);
        painter.drawRoundedRect(bar, 1.5, 1.5);
        painter.setBrush(VitalsTheme::gpu);
        const double fraction = std::clamp(value, 0.0, 100.0) / 100;
        if (fraction > 0)
            painter.drawRoundedRect(QRectF(bar.x(), bar.y(), bar.width() * fraction, 6), 1.5, 1.5);
        x += kBarW + 2;
        Paint::text(painter, QRectF(x, y, kValueW + 4, kRow),
                    QString::number(std::lround(value)) + QLatin1Char('%'), valueFont,
                    VitalsTheme::secondaryText, Qt::AlignRight | Qt::AlignVCenter);
        x += kValueW + 4 + kGaugeGap + 4;
    }
}

} // namespace corvanite

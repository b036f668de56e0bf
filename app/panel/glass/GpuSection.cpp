// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/GpuSection.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Sparkline.h"
#include "app/panel/Theme.h"
#include "app/panel/glass/GlassParts.h"

#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace corvanite {

namespace {
constexpr int kGap = 8;
constexpr int kCell = 10;
constexpr int kMatrix = 2 * kCell + 3;
constexpr int kEngines = 12 + 5 + 12;
constexpr int kInfo = 12;
} // namespace

GpuSection::GpuSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Gpu, parent)
    , m_litAnimation(new QVariantAnimation(this))
{
    m_litAnimation->setDuration(500);
    m_litAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_litAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_lit = v.toDouble();
        update();
    });
    m_hadMatrix = hasMatrix();
    m_lit = targetLit();
    relayout();
}

int GpuSection::targetLit() const
{
    const auto& gpu = values().gpu;
    return gpu && gpu->coreCount ? litCells(gpu->deviceUtil, *gpu->coreCount) : 0;
}

int GpuSection::litCells(double deviceUtil, int coreCount)
{
    return static_cast<int>(std::lround(deviceUtil / 100.0 * coreCount));
}

bool GpuSection::hasMatrix() const
{
    const auto& gpu = values().gpu;
    return gpu && gpu->coreCount && *gpu->coreCount >= 1;
}

void GpuSection::readingsChanged()
{
    const int target = targetLit();
    if (target != qRound(m_litAnimation->endValue().toDouble()) ||
        m_litAnimation->state() != QAbstractAnimation::Running) {
        if (std::abs(target - m_lit) > 0.01) {
            m_litAnimation->stop();
            m_litAnimation->setStartValue(m_lit);
            m_litAnimation->setEndValue(static_cast<double>(target));
            m_litAnimation->start();
        }
    }
    if (hasMatrix() != m_hadMatrix) {
        m_hadMatrix = hasMatrix();
        relayout();
    }
    update();
}

QString GpuSection::infoLine() const
{
    QStringList parts;
    const auto& gpu = values().gpu;
    if (!gpu)
        return {};
    if (gpu->coreCount)
        parts.append(L(QStringLiteral("glass.gpu.corematrix"), {*gpu->coreCount}));
    if (gpu->allocBytes)
        parts.append(L(QStringLiteral("glass.gpu.vram"), {Format::byteString(*gpu->allocBytes)}));
    return parts.join(QStringLiteral(" · "));
}

int GpuSection::contentHeight() const
{
    int h = static_cast<int>(GlassParts::kHeaderRow) + kGap;
    if (hasMatrix())
        h += kMatrix + kGap;
    h += kEngines;
    if (!infoLine().isEmpty())
        h += 6 + kInfo;
    return h;
}

void GpuSection::paintContent(QPainter& painter, double width)
{
    const GPUSample gpu = values().gpu.value_or(GPUSample{});
    GlassParts::headerRow(painter, QStringLiteral("display"), Theme::gpu,
                          L(QStringLiteral("vitals.channel.gpu")),
                          QString::asprintf("%.0f%%", gpu.deviceUtil));
    Sparkline::paint(painter, QRectF(width - 120, (GlassParts::kHeaderRow - 34) / 2, 120, 34),
                     values().gpuHistory, Theme::gpu, 100.0);
    double y = GlassParts::kHeaderRow + kGap;
    if (hasMatrix()) {
        const int cores = *gpu.coreCount;
        const int perRow = (cores + 1) / 2;
        const int lit = static_cast<int>(std::lround(m_lit));
        const double spacing = 3;
        const double cellW = (width - (perRow - 1) * spacing) / perRow;
        painter.setPen(Qt::NoPen);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < perRow; ++column) {
                const int index = row * perRow + column;
                if (index >= cores)
                    continue;
                const QRectF cell(column * (cellW + spacing), y + row * (kCell + 3), cellW, kCell);
                if (index < lit)
                    painter.setBrush(
                        Theme::toneGradient(Theme::gpu, cell.topLeft(), cell.bottomLeft()));
                else
                    painter.setBrush(Theme::trackFill);
                painter.drawRoundedRect(cell, 2, 2);
            }
        }
        y += kMatrix + kGap;
    }
    GlassParts::meterRow(painter, 0, y, width, L(QStringLiteral("glass.gpu.renderer")), 42,
                         gpu.rendererUtil);
    GlassParts::meterRow(painter, 0, y + 17, width, L(QStringLiteral("glass.gpu.tiler")), 42,
                         gpu.tilerUtil);
    y += kEngines;
    const QString info = infoLine();
    if (!info.isEmpty())
        Paint::text(painter, QRectF(0, y + 6, width, kInfo), info, PanelFonts::text(10),
                    Theme::tertiaryText);
}

} // namespace corvanite

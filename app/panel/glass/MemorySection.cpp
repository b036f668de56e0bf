// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/MemorySection.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Theme.h"
#include "app/panel/glass/GlassParts.h"

#include <QPainter>
#include <QPainterPath>

namespace corvanite {

namespace {
constexpr int kGap = 8;
constexpr int kBar = 10;
constexpr int kLegendLine = 13;
constexpr int kLegendLineGap = 3;
constexpr double kItemGap = 12;
constexpr double kDot = 6;
} // namespace

MemorySection::MemorySection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Memory, parent)
{
    relayout();
}

QList<double> MemorySection::segmentFractions(const MemorySample& m)
{
    const double total = m.total < 2 ? 1.0 : static_cast<double>(m.total);
    return {m.app / total, m.wired / total, m.compressed / total, m.cached / total, m.free / total};
}

QList<MemorySection::LegendItem> MemorySection::legend() const
{
    const MemorySample& m = values().memory;
    const QList<std::tuple<QString, quint64, QColor>> items{
        {QStringLiteral("glass.mem.app"), m.app, Theme::memApp},
        {QStringLiteral("glass.mem.wired"), m.wired, Theme::memWired},
        {QStringLiteral("glass.mem.compressed"), m.compressed, Theme::memCompressed},
        {QStringLiteral("glass.mem.cached"), m.cached, Theme::memCached},
        {QStringLiteral("glass.mem.free"), m.free, Theme::memFree},
    };
    QList<LegendItem> out;
    for (const auto& [key, bytes, color] : items)
        out.append(LegendItem{
            L(QStringLiteral("glass.memory.legendItem"), {L(key), Format::byteString(bytes)}),
            color});
    return out;
}

QList<QList<MemorySection::LegendItem>> MemorySection::legendLines(double width) const
{
    const QFont font = PanelFonts::text(10);
    QList<QList<LegendItem>> lines(1);
    double x = 0;
    for (const LegendItem& item : legend()) {
        const double w = kDot + 4 + Paint::textWidth(font, item.text);
        if (x > 0 && x + w > width) {
            lines.append(QList<LegendItem>());
            x = 0;
        }
        lines.last().append(item);
        x += w + kItemGap;
    }
    return lines;
}

int MemorySection::contentHeight() const
{
    const qsizetype lines = legendLines(contentWidth()).size();
    return static_cast<int>(GlassParts::kHeaderRow) + kGap + kBar + kGap +
           static_cast<int>(lines) * kLegendLine + static_cast<int>(lines - 1) * kLegendLineGap;
}

void MemorySection::paintContent(QPainter& painter, double width)
{
    const MemorySample& m = values().memory;
    GlassParts::headerRow(painter, QStringLiteral("memorychip"), Theme::memory,
                          L(QStringLiteral("glass.memory.title")),
                          QString::asprintf("%.0f%%", m.usageFraction() * 100));
    const QFont small = PanelFonts::text(10);
    const double midY = GlassParts::kHeaderRow / 2;
    Paint::text(painter, QRectF(width - 180, midY - 14, 180, 13),
                L(QStringLiteral("glass.memory.used"), {Format::byteString(m.used())}), small,
                Theme::secondaryText, Qt::AlignRight | Qt::AlignVCenter);
    Paint::text(painter, QRectF(width - 180, midY + 1, 180, 13),
                L(QStringLiteral("glass.memory.total"), {Format::byteString(m.total)}), small,
                Theme::tertiaryText, Qt::AlignRight | Qt::AlignVCenter);

    double y = GlassParts::kHeaderRow + kGap;
    const QRectF bar(0, y, width, kBar);
    const QList<QColor> colors{Theme::memApp, Theme::memWired, Theme::memCompressed,
                               Theme::memCached, Theme::memFree};
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(bar, 4, 4);
    painter.setClipPath(clip);
    painter.fillRect(bar, Theme::trackFill);
    double x = 0;
    const QList<double> fractions = segmentFractions(m);
    for (qsizetype i = 0; i < fractions.size(); ++i) {
        const double w = std::max(0.0, fractions[i]) * width;
        const QRectF segment(x, y, w, kBar);
        painter.fillRect(segment,
                         Theme::toneGradient(colors[i], segment.topLeft(), segment.topRight()));
        x += w;
    }
    painter.restore();
    y += kBar + kGap;

    for (const auto& line : legendLines(width)) {
        double lx = 0;
        for (const LegendItem& item : line) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(item.color);
            painter.drawEllipse(QRectF(lx, y + (kLegendLine - kDot) / 2, kDot, kDot));
            const double tw = Paint::textWidth(small, item.text) + 1;
            Paint::text(painter, QRectF(lx + kDot + 4, y, tw, kLegendLine), item.text, small,
                        Theme::secondaryText);
            lx += kDot + 4 + tw + kItemGap;
        }
        y += kLegendLine + kLegendLineGap;
    }
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/StatusImage.h"

#include "app/menubar/StatusIcon.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace corvanite {

namespace {

struct Metrics {
    qreal scale; // slot height relative to a 22 px panel
    int pad;
    int gap;
};

Metrics metricsFor(int height)
{
    const qreal scale = height / 22.0;
    return {scale, static_cast<int>(std::lround(2 * scale)),
            static_cast<int>(std::lround(4 * scale))};
}

QFont lineFont(bool fixedDigits, int height)
{
    QFont font = QGuiApplication::font();
    // Tabular digits are the default in the common sans faces, so figures keep their width.
    font.setPixelSize(
        std::max(6, static_cast<int>(std::lround(height * (fixedDigits ? 0.50 : 0.58)))));
    font.setWeight(fixedDigits ? QFont::Medium : QFont::Normal);
    return font;
}

QFont columnFont(int height)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(height * 0.45))));
    font.setStretch(QFont::Condensed);
    font.setWeight(QFont::DemiBold);
    return font;
}

QSizeF iconSize(const QIcon& templateIcon, const Metrics& m)
{
    if (templateIcon.isNull())
        return {0, 0};
    return {kStatusIconWidth * m.scale, kStatusIconHeight * m.scale};
}

QImage blank(int width, int height, qreal dpr)
{
    QImage image(static_cast<int>(std::ceil(width * dpr)),
                 static_cast<int>(std::ceil(height * dpr)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(dpr);
    return image;
}

void drawIcon(QPainter& painter, const QIcon& templateIcon, const QSizeF& size, qreal x, int height,
              qreal dpr, const QColor& ink)
{
    if (templateIcon.isNull())
        return;
    const QSize logical(static_cast<int>(std::ceil(size.width())),
                        static_cast<int>(std::ceil(size.height())));
    const QImage tinted = tintTemplate(templateIcon.pixmap(logical, dpr).toImage(), ink);
    painter.drawImage(QRectF(QPointF(x, (height - size.height()) / 2.0), size), tinted);
}

qreal columnWidth(const QFontMetricsF& fm, const QStringList& lines)
{
    qreal width = 0;
    for (const QString& line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return std::ceil(width);
}

} // namespace

int StatusImage::lineWidth(const QIcon& templateIcon, const QString& text, bool fixedDigits,
                           int height)
{
    const Metrics m = metricsFor(height);
    const qreal iconWidth = iconSize(templateIcon, m).width();
    const qreal textWidth =
        text.isEmpty()
            ? 0
            : std::ceil(QFontMetricsF(lineFont(fixedDigits, height)).horizontalAdvance(text));
    const qreal gap = (iconWidth > 0 && textWidth > 0) ? m.gap : 0;
    return static_cast<int>(std::ceil(m.pad * 2 + iconWidth + gap + textWidth));
}

QImage StatusImage::line(const QIcon& templateIcon, const QString& text, bool fixedDigits,
                         int height, qreal dpr, const QColor& ink)
{
    const Metrics m = metricsFor(height);
    QImage image = blank(lineWidth(templateIcon, text, fixedDigits, height), height, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF icon = iconSize(templateIcon, m);
    drawIcon(painter, templateIcon, icon, m.pad, height, dpr, ink);
    if (!text.isEmpty()) {
        const QFont font = lineFont(fixedDigits, height);
        const QFontMetricsF fm(font);
        const qreal x = m.pad + icon.width() + (icon.width() > 0 ? m.gap : 0);
        const qreal baseline = std::round((height + fm.capHeight()) / 2.0);
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawText(QPointF(x, baseline), text);
    }
    return image;
}

int StatusImage::columnsWidth(const QIcon& templateIcon, const CompactColumns& columns, int height)
{
    const Metrics m = metricsFor(height);
    const QFontMetricsF fm(columnFont(height));
    qreal width = m.pad * 2 + iconSize(templateIcon, m).width();
    bool first = templateIcon.isNull();
    for (const QStringList& column : columns) {
        if (column.isEmpty())
            continue;
        width += (first ? 0 : m.gap) + columnWidth(fm, column);
        first = false;
    }
    return static_cast<int>(std::ceil(width));
}

QImage StatusImage::columns(const QIcon& templateIcon, const CompactColumns& columns, int height,
                            qreal dpr, const QColor& ink)
{
    const Metrics m = metricsFor(height);
    QImage image = blank(columnsWidth(templateIcon, columns, height), height, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF icon = iconSize(templateIcon, m);
    drawIcon(painter, templateIcon, icon, m.pad, height, dpr, ink);

    const QFont font = columnFont(height);
    const QFontMetricsF fm(font);
    painter.setFont(font);
    painter.setPen(ink);
    qreal x = m.pad + icon.width();
    bool first = templateIcon.isNull();
    const qreal half = height / 2.0;
    for (const QStringList& column : columns) {
        if (column.isEmpty())
            continue;
        x += first ? 0 : m.gap;
        first = false;
        const qreal width = columnWidth(fm, column);
        if (column.size() == 1) {
            painter.drawText(QPointF(x, std::round((height + fm.capHeight()) / 2.0)), column[0]);
        } else {
            // Two lines, each centred in its half of the slot; right-aligned so digits line up.
            for (int row = 0; row < 2; ++row) {
                const QString& text = column[row];
                const qreal baseline = std::round(row * half + (half + fm.capHeight()) / 2.0);
                painter.drawText(QPointF(x + width - fm.horizontalAdvance(text), baseline), text);
            }
        }
        x += width;
    }
    return image;
}

QImage StatusImage::icon(const QIcon& templateIcon, int height, qreal dpr, const QColor& ink)
{
    const Metrics m = metricsFor(height);
    const QSizeF size = iconSize(templateIcon, m);
    const int width = std::max(height, static_cast<int>(std::ceil(size.width())));
    QImage image = blank(width, height, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawIcon(painter, templateIcon, size, (width - size.width()) / 2.0, height, dpr, ink);
    return image;
}

namespace {

QFont stackedFont(int pixelSize)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setStretch(QFont::Condensed);
    font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

int StatusImage::stackedPixelSize(const QStringList& figures, int size)
{
    const int lines = std::max<int>(1, std::min<int>(2, figures.size()));
    const qreal room = size - 2.0 * std::max(1, static_cast<int>(std::lround(size / 22.0)));
    // Start from the tallest face the lines allow and shrink until the widest figure fits.
    for (int pixels = static_cast<int>(room / lines / 0.78); pixels > 5; --pixels) {
        const QFontMetricsF fm(stackedFont(pixels));
        qreal widest = 0;
        for (int i = 0; i < lines && i < figures.size(); ++i)
            widest = std::max(widest, fm.horizontalAdvance(figures[i]));
        if (widest <= room && fm.capHeight() * lines + (lines - 1) * 0.18 * pixels <= room)
            return pixels;
    }
    return 6;
}

QImage StatusImage::stacked(const QStringList& figures, int size, qreal dpr, const QColor& ink)
{
    QImage image = blank(size, size, dpr);
    if (figures.isEmpty())
        return image;
    const int lines = std::min<int>(2, figures.size());
    const QFont font = stackedFont(stackedPixelSize(figures, size));
    const QFontMetricsF fm(font);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(ink);
    // The cap heights and the gap between them, centred as a block.
    const qreal gap = lines > 1 ? std::max(1.0, (size - 2 * fm.capHeight()) / 3.0) : 0;
    const qreal block = fm.capHeight() * lines + gap * (lines - 1);
    qreal baseline = (size - block) / 2.0 + fm.capHeight();
    for (int i = 0; i < lines; ++i) {
        const qreal width = fm.horizontalAdvance(figures[i]);
        painter.drawText(QPointF((size - width) / 2.0, std::round(baseline)), figures[i]);
        baseline += fm.capHeight() + gap;
    }
    return image;
}

QImage StatusImage::onBackdrop(const QImage& content)
{
    const qreal dpr = content.devicePixelRatio();
    QImage out(content.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    out.setDevicePixelRatio(dpr);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), out.deviceIndependentSize());
    const qreal inset = area.height() / 22.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1c, 0x1e, 0x22, 235));
    painter.drawRoundedRect(area.adjusted(0.5 * inset, 1.5 * inset, -0.5 * inset, -1.5 * inset),
                            4.0 * inset, 4.0 * inset);
    painter.drawImage(QPointF(0, 0), content);
    painter.end();
    return out;
}

} // namespace corvanite

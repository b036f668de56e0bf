// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/StatusIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <cmath>

namespace corvanite {

namespace {

// The strokes in icon coordinates, origin at the bottom left and y growing upwards.
const QPointF kPulse[] = {{1.5, 8.5},   {5.6, 8.5},  {7.0, 10.8}, {8.5, 5.2},
                          {10.2, 15.0}, {11.2, 9.0}, {18.8, 14.1}};
const QPointF kNeedleTop{11.2, 15.0};
const QPointF kNeedleBottom{11.2, 2.4};
const QPointF kTickFrom{13.3, 7.4};
const QPointF kTickTo{18.4, 2.8};

QPointF flipped(const QPointF& p)
{
    return {p.x(), kStatusIconHeight - p.y()};
}

} // namespace

QImage makeStatusIcon(qreal devicePixelRatio, const QString& description)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(static_cast<int>(std::ceil(kStatusIconWidth * dpr)),
                 static_cast<int>(std::ceil(kStatusIconHeight * dpr)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(dpr);
    if (!description.isEmpty())
        image.setText(QStringLiteral("Description"), description);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, 1.75, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    QPainterPath pulse(flipped(kPulse[0]));
    for (size_t i = 1; i < std::size(kPulse); ++i)
        pulse.lineTo(flipped(kPulse[i]));
    painter.drawPath(pulse);
    painter.drawLine(flipped(kNeedleBottom), flipped(kNeedleTop));
    painter.drawLine(flipped(kTickFrom), flipped(kTickTo));
    return image;
}

QIcon statusIconSet(const QString& description)
{
    QIcon icon;
    for (qreal dpr : {1.0, 2.0, 3.0})
        icon.addPixmap(QPixmap::fromImage(makeStatusIcon(dpr, description)));
    return icon;
}

PanelShade guessPanelShade(const QString& currentDesktop, const QColor& paletteWindow)
{
    if (currentDesktop.split(QLatin1Char(':'))
            .contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        return PanelShade::Dark;
    return paletteWindow.lightness() < 128 ? PanelShade::Dark : PanelShade::Light;
}

PanelShade currentPanelShade()
{
    return guessPanelShade(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                           QGuiApplication::palette().color(QPalette::Window));
}

QColor inkFor(PanelShade shade)
{
    return shade == PanelShade::Dark ? QColor(0xf2, 0xf2, 0xf2) : QColor(0x1e, 0x1e, 0x1e);
}

QImage tintTemplate(const QImage& templateImage, const QColor& ink)
{
    QImage out = templateImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), out.deviceIndependentSize()), ink);
    return out;
}

} // namespace corvanite

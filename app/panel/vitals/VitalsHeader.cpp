// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsHeader.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsChrome.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRadialGradient>

namespace corvanite {

namespace {
constexpr int kSide = 12;
} // namespace

VitalsHeader::VitalsHeader(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
    , m_gear(new SymbolButton(QStringLiteral("gearshape.fill"), 14, VitalsTheme::dimText, this))
{
    setFixedHeight(kHeight);
    m_gear->setToolTip(L(QStringLiteral("settings.title")));
    connect(m_gear, &QAbstractButton::clicked, services.flip,
            [flip = services.flip] { flip->setFlipped(true); });
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts parts) {
        // The clock moves with the CPU readings of every tick; the badge with the battery.
        if (parts & PanelReadings::Part::Power)
            update();
        else if (parts & PanelReadings::Part::Cpu)
            updateClock();
    });
}

QString VitalsHeader::hostText() const
{
    const QString name = m_services.hostName.trimmed();
    return name.isEmpty() ? QStringLiteral("MAC") : name;
}

QString VitalsHeader::batteryText() const
{
    const auto& percent = m_services.readings->values().battery.percentage;
    return percent ? QString::number(*percent) + QLatin1Char('%') : QStringLiteral("—");
}

QColor VitalsHeader::batteryColor() const
{
    const auto& percent = m_services.readings->values().battery.percentage;
    return percent && *percent < 20 ? VitalsTheme::alarm : VitalsTheme::ecg;
}

void VitalsHeader::resizeEvent(QResizeEvent*)
{
    m_gear->move(width() - kSide - m_gear->width() + 4, (kHeight - 1 - m_gear->height()) / 2);
}

void VitalsHeader::updateClock()
{
    const QRectF next = clockRect(Format::currentTime(*m_services.clock), badgeRect(batteryText()));
    // A clock of another width moves the end of the name too.
    if (m_clockRect.isNull() || next.left() != m_clockRect.left())
        update();
    else
        update(next.toAlignedRect());
}

QRectF VitalsHeader::badgeRect(const QString& battery) const
{
    const double width = Paint::textWidth(PanelFonts::condensed(9, QFont::Bold), battery) + 10;
    return QRectF(m_gear->x() - 6 - width, (kHeight - 1) / 2.0 - 7, width, 14);
}

QRectF VitalsHeader::clockRect(const QString& clock, const QRectF& badge) const
{
    const double width = Paint::textWidth(PanelFonts::mono(11), clock) + 1;
    return QRectF(badge.left() - 8 - width, 0, width, kHeight - 1);
}

void VitalsHeader::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QString battery = batteryText();
    const QRectF badge = badgeRect(battery);
    const QString clock = Format::currentTime(*m_services.clock);
    m_clockRect = clockRect(clock, badge);
    const QString key = hostText() + u'\n' + battery + u'\n' + batteryColor().name() + u'\n' +
                        QString::number(m_clockRect.left());
    Paint::cached(painter, event->region(), m_chrome, key, size(), devicePixelRatioF(),
                  [&](QPainter& p) { paintChrome(p, badge, m_clockRect.left()); });
    Paint::text(painter, m_clockRect, clock, PanelFonts::mono(11), VitalsTheme::secondaryText);
}

// Bar, live dot, name and battery badge; the clock goes between the name and the badge.
void VitalsHeader::paintChrome(QPainter& painter, const QRectF& badge, double clockLeft) const
{
    VitalsChrome::bar(painter, QRectF(rect()), true);
    painter.fillRect(QRectF(0, kHeight - 1, width(), 1), VitalsTheme::hairline);
    const double mid = (kHeight - 1) / 2.0;

    // The live dot with its glow.
    const QPointF dot(kSide + 3, mid);
    QRadialGradient glow(dot, 6);
    QColor halo = VitalsTheme::ecg;
    halo.setAlphaF(0.45f);
    glow.setColorAt(0.4, halo);
    halo.setAlphaF(0);
    glow.setColorAt(1, halo);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(dot, 6, 6);
    painter.setBrush(VitalsTheme::ecg);
    painter.drawEllipse(dot, 3, 3);

    painter.setBrush(batteryColor());
    painter.drawRoundedRect(badge, 3, 3);
    Paint::text(painter, badge, batteryText(), PanelFonts::condensed(9, QFont::Bold), Qt::black,
                Qt::AlignCenter);

    const double nameX = kSide + 14;
    Paint::text(painter, QRectF(nameX, 0, clockLeft - 10 - nameX, kHeight - 1), hostText(),
                PanelFonts::condensed(12, QFont::DemiBold), VitalsTheme::primaryText);
}

} // namespace corvanite

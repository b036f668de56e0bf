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
        if (parts & (PanelReadings::Part::Cpu | PanelReadings::Part::Power))
            update();
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

void VitalsHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VitalsChrome::bar(painter, QRectF(rect()), true);
    painter.fillRect(QRectF(0, kHeight - 1, width(), 1), VitalsTheme::hairline);
    painter.setRenderHint(QPainter::Antialiasing);
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

    // Right to left: gear, battery badge, clock; the name takes what is left.
    const QFont badgeFont = PanelFonts::condensed(9, QFont::Bold);
    const QString battery = batteryText();
    const double badgeW = Paint::textWidth(badgeFont, battery) + 10;
    const QRectF badge(m_gear->x() - 6 - badgeW, mid - 7, badgeW, 14);
    painter.setBrush(batteryColor());
    painter.drawRoundedRect(badge, 3, 3);
    Paint::text(painter, badge, battery, badgeFont, Qt::black, Qt::AlignCenter);

    const QFont clockFont = PanelFonts::mono(11);
    const QString clock = Format::currentTime(*m_services.clock);
    const double clockW = Paint::textWidth(clockFont, clock) + 1;
    const QRectF clockRect(badge.left() - 8 - clockW, 0, clockW, kHeight - 1);
    Paint::text(painter, clockRect, clock, clockFont, VitalsTheme::secondaryText);

    const double nameX = kSide + 14;
    Paint::text(painter, QRectF(nameX, 0, clockRect.left() - 10 - nameX, kHeight - 1), hostText(),
                PanelFonts::condensed(12, QFont::DemiBold), VitalsTheme::primaryText);
}

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/vitals/VitalsFooter.h"

#include "app/base/Format.h"
#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/vitals/VitalsChrome.h"
#include "app/settings/SettingsManager.h"

#include <QPainter>

namespace corvanite {

namespace {
constexpr int kSide = 12;
constexpr int kLine = 15;
constexpr int kPad = 4;
const QString kSeparator = QStringLiteral("  ·  ");
} // namespace

VitalsFooter::VitalsFooter(const PanelServices& services, QWidget* parent)
    : QWidget(parent)
    , m_services(services)
{
    connect(services.readings, &PanelReadings::changed, this, [this](PanelReadings::Parts parts) {
        if (parts & (PanelReadings::Part::Footer | PanelReadings::Part::Power |
                     PanelReadings::Part::Processes))
            update();
    });
    connect(services.settings, &SettingsManager::hiddenModulesChanged, this,
            &VitalsFooter::relayout);
    connect(services.settings, &SettingsManager::refreshIntervalChanged, this,
            qOverload<>(&QWidget::update));
    relayout();
}

bool VitalsFooter::showsPower() const
{
    return m_services.settings->isVisible(PanelModule::Power);
}

void VitalsFooter::relayout()
{
    setFixedHeight(2 * kPad + 1 + (showsPower() ? 2 : 1) * kLine);
    update();
}

QStringList VitalsFooter::powerTexts() const
{
    const BatterySample& b = m_services.readings->values().battery;
    // Without battery data the status would claim "On battery" on a desktop: only the dash.
    QStringList texts{b.percentage
                          ? L(QStringLiteral("vitals.battery.summary"),
                              {QString::number(*b.percentage) + QLatin1Char('%'), b.statusText()})
                          : QStringLiteral("—")};
    if (b.healthPercent)
        texts.append(L(QStringLiteral("battery.health"), {*b.healthPercent}));
    if (b.cycleCount)
        texts.append(L(QStringLiteral("battery.cycles"), {*b.cycleCount}));
    if (b.powerWatts && *b.powerWatts > 0.1)
        texts.append(QString::asprintf("%.1fW", *b.powerWatts));
    return texts;
}

QStringList VitalsFooter::statusTexts() const
{
    const PanelReadings::Values& v = m_services.readings->values();
    return {L(QStringLiteral("vitals.footer.uptime"), {Format::uptime(v.uptime)}),
            L(QStringLiteral("vitals.footer.processCount"), {static_cast<int>(v.processes.size())}),
            L(QStringLiteral("vitals.footer.diskFree"), {Format::byteString(v.diskFreeBytes)}),
            L(QStringLiteral("vitals.footer.refresh"), {m_services.settings->refreshInterval()})};
}

void VitalsFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VitalsChrome::bar(painter, QRectF(rect()), false);
    painter.fillRect(QRectF(0, 0, width(), 1), VitalsTheme::hairline);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = PanelFonts::condensed(9);
    const double room = width() - 2 * kSide;
    double y = 1 + kPad;
    if (showsPower()) {
        const QFont labelFont = PanelFonts::condensed(9, QFont::DemiBold);
        const QString label = L(QStringLiteral("vitals.power"));
        const double labelW = Paint::textWidth(labelFont, label) + 1;
        const bool charging = m_services.readings->values().battery.isCharging;
        Paint::text(painter, QRectF(kSide, y, labelW, kLine), label, labelFont,
                    charging ? VitalsTheme::ecg : VitalsTheme::dimText);
        const QStringList texts = powerTexts();
        double x = kSide + labelW + 8;
        const double summaryW =
            std::min(Paint::textWidth(font, texts.first()) + 1, kSide + room - x);
        Paint::text(painter, QRectF(x, y, summaryW, kLine), texts.first(), font,
                    VitalsTheme::secondaryText);
        x += summaryW;
        const QString rest = texts.mid(1).join(kSeparator);
        if (!rest.isEmpty())
            Paint::text(painter, QRectF(x, y, kSide + room - x, kLine), kSeparator + rest, font,
                        VitalsTheme::dimText);
        y += kLine;
    }
    Paint::text(painter, QRectF(kSide, y, room, kLine), statusTexts().join(kSeparator), font,
                VitalsTheme::dimText);
}

} // namespace corvanite

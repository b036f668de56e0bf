// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/glass/ThermalSection.h"

#include "app/base/L10n.h"
#include "app/panel/Paint.h"
#include "app/panel/PanelFonts.h"
#include "app/panel/PanelServices.h"
#include "app/panel/Theme.h"
#include "app/settings/SettingsManager.h"

#include <QPainter>

#include <cmath>

namespace corvanite {

namespace {
constexpr int kHeader = 30;
constexpr int kGap = 10;
constexpr int kFanRow = 22;
} // namespace

ThermalSection::ThermalSection(const PanelServices& services, QWidget* parent)
    : GlassSection(services, PanelReadings::Part::Thermal, parent)
{
    connect(services.settings, &SettingsManager::tempUnitChanged, this,
            qOverload<>(&QWidget::update));
    relayout();
}

QString ThermalSection::fanSpeeds(const QList<double>& fans)
{
    if (fans.isEmpty())
        return QStringLiteral("—");
    QStringList parts;
    for (const double rpm : fans)
        parts.append(QString::number(std::llround(rpm)));
    return parts.join(QStringLiteral(" / ")) + QStringLiteral(" RPM");
}

QString ThermalSection::temperatureText(std::optional<double> celsius) const
{
    if (!celsius)
        return QStringLiteral("—");
    const TempUnit unit = services().settings->tempUnit();
    return QString::number(display(unit, *celsius)) + symbol(unit);
}

int ThermalSection::contentHeight() const
{
    return kHeader + kGap + kFanRow;
}

void ThermalSection::paintContent(QPainter& painter, double width)
{
    const ThermalSample& t = values().thermal;
    Paint::tile(painter, QRectF(0, 1, 28, 28), QStringLiteral("thermometer.medium"),
                Theme::tempColor(t.cpuC.value_or(0)));
    Paint::text(painter, QRectF(38, 0, 120, kHeader), L(QStringLiteral("glass.temp.title")),
                PanelFonts::text(12, QFont::DemiBold), Theme::secondaryText);

    // Three readings at the right, each its label over its value.
    const QList<std::pair<QString, std::optional<double>>> items{
        {QStringLiteral("CPU"), t.cpuC},
        {QStringLiteral("GPU"), t.gpuC},
        {L(QStringLiteral("glass.temp.battery")), t.batteryC},
    };
    const double itemW = 62;
    double x = width - items.size() * itemW - (items.size() - 1) * 3;
    for (const auto& [label, value] : items) {
        Paint::text(painter, QRectF(x, 0, itemW, 13), label, PanelFonts::text(10),
                    Theme::tertiaryText, Qt::AlignRight | Qt::AlignVCenter);
        if (value)
            Paint::text(painter, QRectF(x, 14, itemW, 16), temperatureText(value),
                        PanelFonts::digits(11, QFont::Medium), Theme::tempColor(*value),
                        Qt::AlignRight | Qt::AlignVCenter);
        else
            Paint::text(painter, QRectF(x, 14, itemW, 16), QStringLiteral("—"),
                        PanelFonts::text(11), Theme::faintText, Qt::AlignRight | Qt::AlignVCenter);
        x += itemW + 3;
    }

    // The fan block under a hairline.
    const double y = kHeader + kGap;
    painter.fillRect(QRectF(0, y - kGap / 2.0, width, 0.5), Theme::white(0.08));
    const QList<double>& fans = values().fans;
    Paint::symbol(painter, QRectF(0, y, 28, kFanRow), QStringLiteral("fanblades.fill"), 15,
                  Theme::fan);
    const QFont titleFont = PanelFonts::text(11, QFont::DemiBold);
    const QString title = L(QStringLiteral("glass.fan.title"));
    const double titleW = Paint::textWidth(titleFont, title) + 1;
    Paint::text(painter, QRectF(38, y, titleW, kFanRow), title, titleFont, Theme::secondaryText);
    const QFont speedFont = PanelFonts::digits(15, QFont::DemiBold);
    const QString speeds = fanSpeeds(fans);
    const double speedW =
        std::min(Paint::textWidth(speedFont, speeds) + 1, width - 38 - titleW - 8);
    if (fans.size() >= 2) {
        const double countX = 38 + titleW + 6;
        Paint::text(painter, QRectF(countX, y, width - speedW - 8 - countX, kFanRow),
                    L(QStringLiteral("glass.fan.count"), {static_cast<int>(fans.size())}),
                    PanelFonts::text(10), Theme::tertiaryText);
    }
    Paint::text(painter, QRectF(width - speedW, y, speedW, kFanRow), speeds, speedFont,
                fans.isEmpty() ? Theme::faintText : Theme::primaryText,
                Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace corvanite

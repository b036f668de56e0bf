// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/settings/SettingsIcon.h"

#include <QHash>
#include <QLabel>

namespace corvanite::SettingsIcon {

namespace {

const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> map{
        {QStringLiteral("globe"), QStringLiteral("language")},
        {QStringLiteral("timer"), QStringLiteral("timer")},
        {QStringLiteral("thermometer.medium"), QStringLiteral("device_thermostat")},
        {QStringLiteral("power"), QStringLiteral("power_settings_new")},
        {QStringLiteral("menubar.rectangle"), QStringLiteral("web_asset")},
        {QStringLiteral("waveform.path.ecg"), QStringLiteral("monitor_heart")},
        {QStringLiteral("laptopcomputer"), QStringLiteral("laptop")},
        {QStringLiteral("bell.badge"), QStringLiteral("notifications_active")},
        {QStringLiteral("cpu"), QStringLiteral("developer_board")},
        {QStringLiteral("memorychip"), QStringLiteral("memory")},
        {QStringLiteral("thermometer.high"), QStringLiteral("thermostat")},
        {QStringLiteral("wind"), QStringLiteral("air")},
        {QStringLiteral("thermometer.snowflake"), QStringLiteral("ac_unit")},
        {QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("warning")},
        {QStringLiteral("xmark.circle.fill"), QStringLiteral("cancel")},
        {QStringLiteral("arrow.triangle.2.circlepath"), QStringLiteral("sync")},
        {QStringLiteral("clock.arrow.circlepath"), QStringLiteral("history")},
        {QStringLiteral("arrow.down.circle.fill"), QStringLiteral("download_for_offline")},
        {QStringLiteral("paintbrush"), QStringLiteral("brush")},
        {QStringLiteral("list.number"), QStringLiteral("format_list_numbered")},
        {QStringLiteral("square.grid.3x1.below.line.grid.1x2"), QStringLiteral("view_module")},
        {QStringLiteral("checkmark.square.fill"), QStringLiteral("check_box")},
        {QStringLiteral("square"), QStringLiteral("check_box_outline_blank")},
        {QStringLiteral("chevron.left"), QStringLiteral("chevron_left")},
        {QStringLiteral("gauge.with.dots.needle.67percent"), QStringLiteral("speed")},
        {QStringLiteral("cursorarrow.click"), QStringLiteral("ads_click")},
        {QStringLiteral("filemenu.and.cursorarrow"), QStringLiteral("menu_open")},
        {QStringLiteral("gearshape.fill"), QStringLiteral("settings")},
    };
    return map;
}

} // namespace

QString glyph(const QString& name)
{
    return table().value(name, QStringLiteral("help"));
}

bool isKnown(const QString& name)
{
    return table().contains(name);
}

QFont font(double pixelSize)
{
    QFont f(QStringLiteral("Material Icons"));
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QLabel* make(const QString& name, const QColor& color, double pixelSize, QWidget* parent)
{
    auto* label = new QLabel(glyph(name), parent);
    label->setObjectName(QStringLiteral("icon.") + name);
    label->setFont(font(pixelSize));
    label->setAlignment(Qt::AlignCenter);
    const int side = qRound(pixelSize) + 4;
    label->setFixedSize(side, side);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace corvanite::SettingsIcon

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/Symbols.h"

#include <QHash>

namespace corvanite::Symbols {

namespace {

const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> map{
        {QStringLiteral("gauge.with.dots.needle.67percent"), QStringLiteral("speed")},
        {QStringLiteral("gearshape.fill"), QStringLiteral("settings")},
        {QStringLiteral("cpu"), QStringLiteral("developer_board")},
        {QStringLiteral("display"), QStringLiteral("desktop_windows")},
        {QStringLiteral("memorychip"), QStringLiteral("memory")},
        {QStringLiteral("network"), QStringLiteral("swap_vert")},
        {QStringLiteral("thermometer.medium"), QStringLiteral("device_thermostat")},
        {QStringLiteral("fanblades.fill"), QStringLiteral("cyclone")},
        {QStringLiteral("battery.100percent"), QStringLiteral("battery_full")},
        {QStringLiteral("battery.75percent"), QStringLiteral("battery_5_bar")},
        {QStringLiteral("battery.50percent"), QStringLiteral("battery_4_bar")},
        {QStringLiteral("battery.25percent"), QStringLiteral("battery_2_bar")},
        {QStringLiteral("battery.0percent"), QStringLiteral("battery_0_bar")},
        {QStringLiteral("heart.fill"), QStringLiteral("favorite")},
        {QStringLiteral("list.number"), QStringLiteral("format_list_numbered")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("search")},
        {QStringLiteral("internaldrive"), QStringLiteral("storage")},
        {QStringLiteral("timer"), QStringLiteral("timer")},
        {QStringLiteral("pin.fill"), QStringLiteral("push_pin")},
        {QStringLiteral("pin"), QStringLiteral("push_pin")},
        {QStringLiteral("pause.circle.fill"), QStringLiteral("pause_circle_filled")},
        {QStringLiteral("play.circle.fill"), QStringLiteral("play_circle_filled")},
        {QStringLiteral("play.fill"), QStringLiteral("play_arrow")},
        {QStringLiteral("chevron.down"), QStringLiteral("expand_more")},
        {QStringLiteral("chevron.right"), QStringLiteral("chevron_right")},
        {QStringLiteral("chevron.left"), QStringLiteral("chevron_left")},
        {QStringLiteral("doc.text"), QStringLiteral("description")},
        {QStringLiteral("arrow.up.forward.square"), QStringLiteral("open_in_new")},
        {QStringLiteral("xmark.circle.fill"), QStringLiteral("cancel")},
        {QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("warning")},
        {QStringLiteral("arrow.up.right.circle.fill"), QStringLiteral("trending_up")},
        {QStringLiteral("moon.zzz.fill"), QStringLiteral("bedtime")},
        {QStringLiteral("zzz"), QStringLiteral("snooze")},
        {QStringLiteral("arrow.down"), QStringLiteral("south")},
        {QStringLiteral("arrow.up"), QStringLiteral("north")},
    };
    return map;
}

} // namespace

QString glyph(const QString& name)
{
    return table().value(name, QStringLiteral("help"));
}

QStringList names()
{
    QStringList all = table().keys();
    all.sort();
    return all;
}

QFont font(double pixelSize)
{
    QFont f(kFontFamily);
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace corvanite::Symbols

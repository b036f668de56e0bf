// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/L10nKeys.h"

#include "app/base/LocalizedFormatter.h"

#include <QHash>

#include <optional>

namespace corvanite {

const QList<L10nKeyInfo>& l10nKeyCatalogue()
{
    constexpr LArgType I = LArgType::Integer;
    constexpr LArgType F = LArgType::Floating;
    constexpr LArgType S = LArgType::String;
    static const QList<L10nKeyInfo> catalogue{
        {QStringLiteral("alert.cpu.title"), {}},
        {QStringLiteral("alert.cpu.body"), {I, I}},
        {QStringLiteral("alert.memory.title"), {}},
        {QStringLiteral("alert.memory.body"), {I, I}},
        {QStringLiteral("alert.temp.title"), {}},
        {QStringLiteral("alert.temp.body"), {I, I}},
        {QStringLiteral("battery.cycles"), {I}},
        {QStringLiteral("battery.health"), {I}},
        {QStringLiteral("battery.health.title"), {}},
        {QStringLiteral("battery.power.ac"), {}},
        {QStringLiteral("battery.power.internal"), {}},
        {QStringLiteral("battery.power.watts"), {F}},
        {QStringLiteral("battery.status.charged"), {}},
        {QStringLiteral("battery.status.charging"), {}},
        {QStringLiteral("battery.status.notCharging"), {}},
        {QStringLiteral("battery.status.onBattery"), {}},
        {QStringLiteral("firstrun.title"), {}},
        {QStringLiteral("firstrun.left"), {}},
        {QStringLiteral("firstrun.right"), {}},
        {QStringLiteral("firstrun.gear"), {}},
        {QStringLiteral("firstrun.dismiss"), {}},
        {QStringLiteral("format.duration.seconds"), {F}},
        // Printf cannot floor, so "%.0f min %.0f s" would show 119 s as 2 min 59 s;
        // templates show the fractional minutes alone ("%1$.1f min").
        {QStringLiteral("format.duration.minSec"), {F, F}, true},
        {QStringLiteral("format.duration.hourMin"), {I, I}},
        {QStringLiteral("format.relative.justNow"), {}},
        {QStringLiteral("format.relative.minutesAgo"), {I}},
        {QStringLiteral("format.relative.hoursAgo"), {I}},
        {QStringLiteral("format.relative.daysAgo"), {I}},
        {QStringLiteral("format.uptime.minutes"), {I, I}},
        {QStringLiteral("format.uptime.hours"), {I, I}},
        {QStringLiteral("format.uptime.days"), {I, I}},
        {QStringLiteral("glass.panel.title"), {}},
        {QStringLiteral("glass.cpu.cores"), {I}},
        {QStringLiteral("glass.cpu.morecores"), {I}},
        {QStringLiteral("glass.gpu.renderer"), {}},
        {QStringLiteral("glass.gpu.tiler"), {}},
        {QStringLiteral("glass.gpu.corematrix"), {I}},
        {QStringLiteral("glass.gpu.vram"), {S}},
        {QStringLiteral("glass.memory.title"), {}},
        {QStringLiteral("glass.memory.used"), {S}},
        {QStringLiteral("glass.memory.total"), {S}},
        {QStringLiteral("glass.memory.legendItem"), {S, S}},
        {QStringLiteral("glass.mem.app"), {}},
        {QStringLiteral("glass.mem.wired"), {}},
        {QStringLiteral("glass.mem.compressed"), {}},
        {QStringLiteral("glass.mem.cached"), {}},
        {QStringLiteral("glass.mem.free"), {}},
        {QStringLiteral("glass.network.title"), {}},
        {QStringLiteral("glass.network.realtime"), {}},
        {QStringLiteral("glass.network.download"), {}},
        {QStringLiteral("glass.network.upload"), {}},
        {QStringLiteral("glass.temp.title"), {}},
        {QStringLiteral("glass.temp.battery"), {}},
        {QStringLiteral("glass.fan.title"), {}},
        {QStringLiteral("glass.fan.count"), {I}},
        {QStringLiteral("glass.battery.title"), {}},
        {QStringLiteral("glass.disk.free"), {S, S}},
        {QStringLiteral("glass.uptime"), {S}},
        {QStringLiteral("history.window.live"), {}},
        {QStringLiteral("history.window.m30"), {}},
        {QStringLiteral("history.window.h1"), {}},
        {QStringLiteral("history.window.h6"), {}},
        {QStringLiteral("history.window.h12"), {}},
        {QStringLiteral("history.window.h24"), {}},
        {QStringLiteral("insight.pressure"), {S, S}},
        {QStringLiteral("insight.leak"), {S, S}},
        {QStringLiteral("insight.sleepBlocker"), {S}},
        {QStringLiteral("insight.idleHog"), {S, S}},
        {QStringLiteral("menu.title"), {}},
        {QStringLiteral("menu.tooltip"), {}},
        {QStringLiteral("menu.statusText"), {F, F}},
        {QStringLiteral("menu.status.cpu"), {F}},
        {QStringLiteral("menu.status.memory"), {F}},
        {QStringLiteral("menu.status.network"), {S, S}},
        {QStringLiteral("menu.style"), {}},
        {QStringLiteral("menu.style.icon"), {}},
        {QStringLiteral("menu.style.text"), {}},
        {QStringLiteral("menu.netSpeed"), {}},
        {QStringLiteral("menu.notch"), {}},
        {QStringLiteral("menu.skin"), {}},
        {QStringLiteral("menu.interval"), {}},
        {QStringLiteral("menu.interval.1s"), {}},
        {QStringLiteral("menu.interval.2s"), {}},
        {QStringLiteral("menu.interval.5s"), {}},
        {QStringLiteral("menu.updateAvailable"), {S}},
        {QStringLiteral("menu.settings"), {}},
        {QStringLiteral("menu.quit"), {}},
        {QStringLiteral("paused.banner"), {S}},
        {QStringLiteral("paused.resume"), {}},
        {QStringLiteral("proc.section.title"), {}},
        {QStringLiteral("proc.collecting"), {}},
        {QStringLiteral("proc.search.placeholder"), {}},
        {QStringLiteral("proc.sort"), {}},
        {QStringLiteral("proc.sort.label"), {}},
        {QStringLiteral("proc.sort.cpu"), {}},
        {QStringLiteral("proc.sort.memory"), {}},
        {QStringLiteral("proc.sort.energy"), {}},
        {QStringLiteral("proc.detail.cpuTime"), {}},
        {QStringLiteral("proc.detail.threads"), {}},
        {QStringLiteral("proc.detail.residentMemory"), {}},
        {QStringLiteral("proc.detail.virtualMemory"), {}},
        {QStringLiteral("proc.detail.startTime"), {}},
        {QStringLiteral("proc.detail.parent"), {}},
        {QStringLiteral("proc.detail.pid"), {I}},
        {QStringLiteral("proc.detail.revealInFinder"), {}},
        {QStringLiteral("proc.detail.pinnedTrend"), {I}},
        // Looked up by the pin button but missing from the original key list.
        {QStringLiteral("proc.detail.pin"), {}},
        {QStringLiteral("proc.detail.pinFull"), {}},
        // Notices about the preferences file, shown once to the user.
        {QStringLiteral("notice.prefs.unreadable.title"), {}},
        {QStringLiteral("notice.prefs.unreadable.body"), {S}},
        {QStringLiteral("notice.prefs.unwritable.title"), {}},
        {QStringLiteral("notice.prefs.unwritable.body"), {S}},
        {QStringLiteral("proc.detail.unpin"), {}},
        {QStringLiteral("proc.detail.pause"), {}},
        {QStringLiteral("proc.detail.resume"), {}},
        {QStringLiteral("proc.detail.terminate"), {}},
        {QStringLiteral("proc.detail.protected"), {}},
        {QStringLiteral("proc.detail.zombie"), {}},
        {QStringLiteral("proc.detail.kernelThread"), {}},
        {QStringLiteral("proc.kill.title"), {S}},
        {QStringLiteral("proc.kill.confirmTitle"), {S}},
        {QStringLiteral("proc.kill.message"), {}},
        {QStringLiteral("proc.kill.action"), {}},
        {QStringLiteral("proc.kill.confirm"), {}},
        {QStringLiteral("proc.kill.always"), {}},
        {QStringLiteral("proc.kill.cancel"), {}},
        {QStringLiteral("proc.pause.title"), {S}},
        {QStringLiteral("proc.pause.message"), {}},
        {QStringLiteral("proc.pause.protectedTitle"), {S}},
        {QStringLiteral("proc.pause.protectedMessage"), {S, I}},
        {QStringLiteral("proc.pause.action"), {}},
        {QStringLiteral("settings.title"), {}},
        {QStringLiteral("settings.back"), {}},
        {QStringLiteral("settings.section.general"), {}},
        {QStringLiteral("settings.section.panel"), {}},
        {QStringLiteral("settings.section.menubar"), {}},
        {QStringLiteral("settings.section.alerts"), {}},
        {QStringLiteral("settings.section.comfort"), {}},
        {QStringLiteral("settings.section.preauth"), {}},
        {QStringLiteral("settings.section.update"), {}},
        {QStringLiteral("settings.language"), {}},
        {QStringLiteral("settings.language.system"), {}},
        {QStringLiteral("settings.language.english"), {}},
        {QStringLiteral("settings.language.simplifiedChinese"), {}},
        {QStringLiteral("settings.language.japanese"), {}},
        {QStringLiteral("settings.language.german"), {}},
        {QStringLiteral("settings.language.french"), {}},
        {QStringLiteral("settings.language.traditionalChinese"), {}},
        {QStringLiteral("settings.language.spanish"), {}},
        {QStringLiteral("settings.language.korean"), {}},
        {QStringLiteral("settings.language.thai"), {}},
        {QStringLiteral("settings.interval"), {}},
        {QStringLiteral("settings.interval.value"), {I}},
        {QStringLiteral("settings.tempunit"), {}},
        {QStringLiteral("settings.tempunit.celsius.display"), {}},
        {QStringLiteral("settings.tempunit.fahrenheit.display"), {}},
        {QStringLiteral("settings.launchAtLogin"), {}},
        {QStringLiteral("settings.launchAtLogin.approve"), {}},
        {QStringLiteral("settings.skin"), {}},
        {QStringLiteral("settings.layout.rows"), {}},
        {QStringLiteral("settings.layout.rows.value"), {I}},
        {QStringLiteral("settings.layout.cores"), {}},
        {QStringLiteral("settings.layout.cores.hint"), {}},
        {QStringLiteral("settings.modules"), {}},
        {QStringLiteral("settings.modules.cpuNote"), {}},
        {QStringLiteral("settings.module.gpu"), {}},
        {QStringLiteral("settings.module.memory"), {}},
        {QStringLiteral("settings.module.network"), {}},
        {QStringLiteral("settings.module.thermal"), {}},
        {QStringLiteral("settings.module.power"), {}},
        {QStringLiteral("settings.module.processes"), {}},
        {QStringLiteral("settings.menubar.mode"), {}},
        {QStringLiteral("settings.menubar.icon"), {}},
        {QStringLiteral("settings.menubar.text"), {}},
        {QStringLiteral("settings.menubar.showIcon"), {}},
        {QStringLiteral("settings.menubar.composition"), {}},
        {QStringLiteral("settings.menubar.composition.hint"), {}},
        {QStringLiteral("settings.menubar.metric.cpu"), {}},
        {QStringLiteral("settings.menubar.netspeed.hint"), {}},
        {QStringLiteral("settings.menubar.notch"), {}},
        {QStringLiteral("settings.menubar.notch.hint"), {}},
        {QStringLiteral("settings.menubar.notch.off"), {}},
        {QStringLiteral("settings.menubar.notch.auto"), {}},
        {QStringLiteral("settings.menubar.notch.always"), {}},
        {QStringLiteral("settings.alerts.enable"), {}},
        {QStringLiteral("settings.alerts.cpu"), {}},
        {QStringLiteral("settings.alerts.memory"), {}},
        {QStringLiteral("settings.alerts.temp"), {}},
        {QStringLiteral("settings.comfort.enable"), {}},
        {QStringLiteral("settings.comfort.target"), {}},
        {QStringLiteral("settings.comfort.note"), {}},
        {QStringLiteral("settings.comfort.approve"), {}},
        {QStringLiteral("settings.comfort.status.off"), {S}},
        {QStringLiteral("settings.comfort.status.unavailable"), {}},
        {QStringLiteral("settings.comfort.status.needsApproval"), {}},
        {QStringLiteral("settings.comfort.status.comfortable"), {S}},
        {QStringLiteral("settings.comfort.status.comfortableWithFan"), {S, S}},
        {QStringLiteral("settings.comfort.status.active"), {S}},
        {QStringLiteral("settings.comfort.status.activeWithFan"), {S, S}},
        {QStringLiteral("settings.preauth.hint"), {}},
        {QStringLiteral("settings.preauth.empty"), {}},
        {QStringLiteral("settings.update.version"), {S}},
        {QStringLiteral("settings.update.auto"), {}},
        {QStringLiteral("settings.update.checkNow"), {}},
        {QStringLiteral("settings.update.checking"), {}},
        {QStringLiteral("settings.update.upToDate"), {}},
        {QStringLiteral("settings.update.failed"), {}},
        {QStringLiteral("settings.update.download"), {S}},
        {QStringLiteral("skin.glass"), {}},
        {QStringLiteral("skin.vitals"), {}},
        {QStringLiteral("vitals.channel.cpu"), {}},
        {QStringLiteral("vitals.channel.cpuLoad"), {}},
        {QStringLiteral("vitals.cpuPeak"), {I, I}},
        {QStringLiteral("vitals.channel.gpu"), {}},
        {QStringLiteral("vitals.channel.gpuUtil"), {}},
        {QStringLiteral("vitals.engineDetail"), {S, S}},
        {QStringLiteral("vitals.gpuTemperature"), {I}},
        {QStringLiteral("vitals.channel.memory"), {}},
        {QStringLiteral("vitals.channel.memoryUsed"), {}},
        {QStringLiteral("vitals.memory.detail"), {S, S}},
        {QStringLiteral("vitals.channel.networkDown"), {}},
        {QStringLiteral("vitals.network.upload"), {S}},
        {QStringLiteral("vitals.channel.temperature"), {}},
        {QStringLiteral("vitals.temperature.cpu.celsius"), {}},
        {QStringLiteral("vitals.temperature.cpu.fahrenheit"), {}},
        {QStringLiteral("vitals.fan"), {S}},
        {QStringLiteral("vitals.noFan"), {}},
        {QStringLiteral("vitals.high"), {}},
        {QStringLiteral("vitals.trend"), {}},
        {QStringLiteral("vitals.core.channels"), {I}},
        {QStringLiteral("vitals.gpu.coreCount"), {I}},
        {QStringLiteral("vitals.gpu.engines"), {}},
        {QStringLiteral("vitals.gpu.device"), {}},
        {QStringLiteral("vitals.gpu.renderer"), {}},
        {QStringLiteral("vitals.gpu.tiler"), {}},
        {QStringLiteral("vitals.power"), {}},
        {QStringLiteral("vitals.battery.summary"), {S, S}},
        {QStringLiteral("vitals.topConsumers"), {}},
        {QStringLiteral("vitals.footer.uptime"), {S}},
        {QStringLiteral("vitals.footer.processCount"), {I}},
        {QStringLiteral("vitals.footer.diskFree"), {S}},
        {QStringLiteral("vitals.footer.refresh"), {F}},
    };
    return catalogue;
}

const L10nKeyInfo* findL10nKey(const QString& key)
{
    static const QHash<QString, const L10nKeyInfo*> index = [] {
        QHash<QString, const L10nKeyInfo*> byKey;
        for (const L10nKeyInfo& info : l10nKeyCatalogue())
            byKey.insert(info.key, &info);
        return byKey;
    }();
    return index.value(key, nullptr);
}

namespace {

using Kind = TemplateConversion::Kind;

std::optional<LArgType> argumentTypeOf(Kind kind)
{
    switch (kind) {
    case Kind::Integer:
        return LArgType::Integer;
    case Kind::Floating:
        return LArgType::Floating;
    case Kind::String:
        return LArgType::String;
    case Kind::Percent:
    case Kind::Invalid:
        break;
    }
    return std::nullopt;
}

QString typeName(LArgType type)
{
    switch (type) {
    case LArgType::Integer:
        return QStringLiteral("integer");
    case LArgType::Floating:
        return QStringLiteral("floating");
    case LArgType::String:
        return QStringLiteral("string");
    }
    return {};
}

} // namespace

QString checkTranslation(const L10nKeyInfo& info, const QString& text)
{
    const QList<TemplateConversion> conversions = parseTemplate(text);
    if (info.arguments.isEmpty()) {
        for (const TemplateConversion& conv : conversions) {
            if (conv.kind == Kind::Percent)
                return QStringLiteral("\"%%\" in a text shown as written");
            if (conv.kind != Kind::Invalid)
                return QStringLiteral("conversion \"%1\" in a text without arguments")
                    .arg(text.mid(conv.start, conv.length));
        }
        return {};
    }

    int positional = 0;
    int sequential = 0;
    QList<bool> used(info.arguments.size(), false);
    for (const TemplateConversion& conv : conversions) {
        if (conv.kind == Kind::Percent)
            continue;
        const QString written = text.mid(conv.start, conv.length);
        if (conv.kind == Kind::Invalid)
            return QStringLiteral("lone \"%\" at %1 (write \"%%\")").arg(conv.start);
        (conv.positional ? positional : sequential) += 1;
        if (conv.argument >= info.arguments.size())
            return QStringLiteral("\"%1\" refers to argument %2 of %3")
                .arg(written)
                .arg(conv.argument + 1)
                .arg(info.arguments.size());
        const LArgType expected = info.arguments[conv.argument];
        if (argumentTypeOf(conv.kind) != expected)
            return QStringLiteral("\"%1\" for the %2 argument %3")
                .arg(written, typeName(expected))
                .arg(conv.argument + 1);
        used[conv.argument] = true;
    }
    if (positional > 0 && sequential > 0)
        return QStringLiteral("mixes positional and sequential conversions");
    if (info.mayOmitArguments) {
        if (sequential > 0 && sequential < info.arguments.size())
            return QStringLiteral("leaves arguments out without positional conversions");
        if (!used.contains(true))
            return QStringLiteral("uses none of its arguments");
        return {};
    }
    const qsizetype missing = used.indexOf(false);
    if (missing >= 0)
        return QStringLiteral("argument %1 is not used").arg(missing + 1);
    return {};
}

} // namespace corvanite

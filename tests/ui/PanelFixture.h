// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/FakeAutostartEntry.h"
#include "tests/support/FakeProcessPlatform.h"
#include "tests/support/Screenshots.h"

#include "app/analysis/HistoryStore.h"
#include "app/analysis/HistoryWindowState.h"
#include "app/analysis/InsightEngine.h"
#include "app/analysis/PinStore.h"
#include "app/base/L10n.h"
#include "app/panel/PanelAnchor.h"
#include "app/panel/PanelFlipState.h"
#include "app/panel/PanelReadings.h"
#include "app/panel/PanelServices.h"
#include "app/panel/RootPanelView.h"
#include "app/panel/SkinManager.h"
#include "app/process/PauseManager.h"
#include "app/process/ProcessTerminator.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QAbstractAnimation>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace corvanite::test {

// The readings of a machine in use, recorded once: eight cores, 16 GB, a GPU, two fans, a
// charging battery and a dozen processes.
inline PanelReadings::Values recordedSnapshot()
{
    QFile file(QStringLiteral(CORVANITE_FIXTURES "/panel/recorded-snapshot.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    const auto doubles = [](const QJsonValue& v) {
        QList<double> out;
        for (const QJsonValue& x : v.toArray())
            out.append(x.toDouble());
        return out;
    };
    const auto bytes = [](const QJsonValue& v) { return static_cast<quint64>(v.toDouble()); };
    const auto processes = [&](const QJsonValue& v) {
        QList<ProcessSample> out;
        for (const QJsonValue& x : v.toArray()) {
            const QJsonObject p = x.toObject();
            out.append({p[QStringLiteral("pid")].toInt(), p[QStringLiteral("name")].toString(),
                        p[QStringLiteral("cpu")].toDouble(), bytes(p[QStringLiteral("mem")])});
        }
        return out;
    };
    PanelReadings::Values v;
    const QJsonObject cpu = o[QStringLiteral("cpu")].toObject();
    v.cpu.total = cpu[QStringLiteral("total")].toDouble();
    v.cpu.perCore = doubles(cpu[QStringLiteral("perCore")]);
    v.cpuHistory = doubles(o[QStringLiteral("cpuHistory")]);
    const QJsonObject gpu = o[QStringLiteral("gpu")].toObject();
    v.gpu = GPUSample{
        gpu[QStringLiteral("deviceUtil")].toDouble(),
        gpu[QStringLiteral("rendererUtil")].toDouble(), gpu[QStringLiteral("tilerUtil")].toDouble(),
        bytes(gpu[QStringLiteral("allocBytes")]), gpu[QStringLiteral("coreCount")].toInt()};
    v.gpuHistory = doubles(o[QStringLiteral("gpuHistory")]);
    const QJsonObject mem = o[QStringLiteral("memory")].toObject();
    v.memory =
        MemorySample{bytes(mem[QStringLiteral("total")]),  bytes(mem[QStringLiteral("app")]),
                     bytes(mem[QStringLiteral("wired")]),  bytes(mem[QStringLiteral("compressed")]),
                     bytes(mem[QStringLiteral("cached")]), bytes(mem[QStringLiteral("free")])};
    v.memHistory = doubles(o[QStringLiteral("memHistory")]);
    const QJsonObject net = o[QStringLiteral("network")].toObject();
    v.network = NetSample{net[QStringLiteral("downBps")].toDouble(),
                          net[QStringLiteral("upBps")].toDouble()};
    v.downHistory = doubles(o[QStringLiteral("downHistory")]);
    v.upHistory = doubles(o[QStringLiteral("upHistory")]);
    const QJsonObject t = o[QStringLiteral("thermal")].toObject();
    v.thermal.cpuC = t[QStringLiteral("cpuC")].toDouble();
    v.thermal.gpuC = t[QStringLiteral("gpuC")].toDouble();
    v.thermal.batteryC = t[QStringLiteral("batteryC")].toDouble();
    v.tempHistory = doubles(o[QStringLiteral("tempHistory")]);
    v.fans = doubles(o[QStringLiteral("fans")]);
    const QJsonObject b = o[QStringLiteral("battery")].toObject();
    v.battery.percentage = b[QStringLiteral("percentage")].toInt();
    v.battery.isCharging = b[QStringLiteral("isCharging")].toBool();
    v.battery.isCharged = b[QStringLiteral("isCharged")].toBool();
    v.battery.externalConnected = b[QStringLiteral("externalConnected")].toBool();
    v.battery.cycleCount = b[QStringLiteral("cycleCount")].toInt();
    v.battery.healthPercent = b[QStringLiteral("healthPercent")].toInt();
    v.battery.powerWatts = b[QStringLiteral("powerWatts")].toDouble();
    v.processes = processes(o[QStringLiteral("processes")]);
    v.energyRows = processes(o[QStringLiteral("energyRows")]);
    v.diskFreeBytes = bytes(o[QStringLiteral("diskFreeBytes")]);
    v.diskTotalBytes = bytes(o[QStringLiteral("diskTotalBytes")]);
    v.uptime = o[QStringLiteral("uptime")].toDouble();
    v.refreshInterval = o[QStringLiteral("refreshInterval")].toDouble();
    return v;
}

// Real stores in a temporary preferences file, fake process control (nothing is signalled),
// and the recorded readings; a test builds the view it needs over `services`.
class PanelFixture : public ::testing::Test {
protected:
    PanelFixture()
    {
        L10n::shared().setLanguage(AppLanguage::En);
        clock.setNow(8.0e8);
        for (const ProcessSample& p : recordedSnapshot().processes) {
            info.add(p.pid, p.pid, 1'700'000'000);
            info.names.insert(p.pid, p.name);
        }
        readings.setValues(recordedSnapshot());
        services.readings = &readings;
        services.settings = &settings;
        services.l10n = &L10n::shared();
        services.history = &history;
        services.historyWindow = &historyWindow;
        services.insights = &insights;
        services.pause = &pause;
        services.pins = &pins;
        services.terminator = &terminator;
        services.flip = &flip;
        services.clock = &clock;
        services.physicalMemory = 16ull << 30;
        services.readDetail = [this](qint32 pid,
                                     const QString& name) -> std::optional<ProcessDetail> {
            ++detailReads;
            ProcessDetail d;
            d.pid = pid;
            d.name = name;
            d.path = name == QStringLiteral("Xorg") ? QStringLiteral("—")
                                                    : QStringLiteral("/usr/lib/firefox/") + name;
            d.residentBytes = 1'932'735'283;
            d.virtualBytes = 14'495'514'624;
            d.cpuUserTime = 2'915'000'000'000;
            d.cpuSystemTime = 412'000'000'000;
            d.threadCount = 87;
            d.startDate = clock.now() - 3 * 3600 - 240;
            d.parentPid = 1;
            return d;
        };
        services.revealFile = [this](const QString& path) { revealed.append(path); };
        services.setDialogHold = [this](bool hold) { holds.append(hold); };
    }

    // The two findings the card shows most often: the process behind a memory-pressure rise
    // and one that keeps the machine awake.
    void stageFindings()
    {
        AssertionMap blockers;
        blockers.insert(7021, {QStringLiteral("PreventUserIdleSystemSleep")});
        insights.setPressureLevel(PressureLevel::Warning);
        insights.ingest(readings.values().processes, blockers);
    }

    std::unique_ptr<RootPanelView> makePanel(qreal dpr = 1)
    {
        Q_UNUSED(dpr);
        auto view = std::make_unique<RootPanelView>(services, skins, anchor, false);
        view->resize(400, 668);
        return view;
    }

    // The animations under `root` that are moving right now.
    static QList<QAbstractAnimation*> runningAnimations(const QObject& root)
    {
        QList<QAbstractAnimation*> running;
        for (QAbstractAnimation* a : root.findChildren<QAbstractAnimation*>())
            if (a->state() == QAbstractAnimation::Running)
                running.append(a);
        return running;
    }
    // Steps every moving animation under `root` to its end, as if its time had passed.
    static void finishAnimations(const QObject& root)
    {
        for (QAbstractAnimation* a : runningAnimations(root))
            a->setCurrentTime(a->totalDuration());
        QCoreApplication::processEvents();
    }

    // Renders the whole card as the user sees it, at a device pixel ratio.
    static QImage render(QWidget& widget, qreal dpr = 1)
    {
        widget.show();
        QCoreApplication::processEvents();
        QImage image(widget.size() * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(QColor(40, 44, 52)); // a dark desktop behind the translucent card
        widget.render(&image);
        return image;
    }
    static void save(const QImage& image, const QString& name)
    {
        EXPECT_TRUE(image.save(screenshotPath(name)));
    }

    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("preferences.json"))};
    FakeAutostartEntry autostart;
    LaunchAtLogin launch{autostart};
    SettingsManager settings{prefs, launch, SettingsHooks{}};
    SkinManager skins{prefs};
    FakeClock clock;
    FakeProcessInfo info;
    FakeProcessSignals signaller{info};
    FakeFrontmost frontmost;
    CapturedCalls later;
    PauseManager pause{PauseManager::Dependencies{&info, &signaller, &prefs, &clock, &frontmost,
                                                  later.delayedCall()}};
    ProcessTerminator terminator{info, signaller, later.delayedCall()};
    PinStore pins{prefs, clock};
    HistoryStore history{clock};
    HistoryWindowState historyWindow;
    InsightEngine insights{
        InsightEngine::Dependencies{&clock, [this] { return readings.values().processes; }, 4242}};
    PanelFlipState flip;
    PanelAnchor anchor;
    PanelReadings readings;
    PanelServices services;
    int detailReads = 0;
    QStringList revealed;
    QList<bool> holds;
};

} // namespace corvanite::test

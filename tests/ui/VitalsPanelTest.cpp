// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/PanelFixture.h"

#include "app/panel/HistoryWindowPicker.h"
#include "app/panel/PanelColumn.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/VitalsTheme.h"
#include "app/panel/diagnostics/DiagnosticsCard.h"
#include "app/panel/glass/StatsPanelView.h"
#include "app/panel/process/PausedBanner.h"
#include "app/panel/process/ProcessConfirmations.h"
#include "app/panel/process/ProcessDetailView.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/panel/process/ProcessSectionControls.h"
#include "app/panel/vitals/AlarmPulse.h"
#include "app/panel/vitals/VitalsChannelRow.h"
#include "app/panel/vitals/VitalsChannels.h"
#include "app/panel/vitals/VitalsCoreStrip.h"
#include "app/panel/vitals/VitalsFooter.h"
#include "app/panel/vitals/VitalsFrameClock.h"
#include "app/panel/vitals/VitalsGPUStrip.h"
#include "app/panel/vitals/VitalsHeader.h"
#include "app/panel/vitals/VitalsPanelView.h"
#include "app/panel/vitals/VitalsProcessSection.h"
#include "app/panel/vitals/VitalsTrendBar.h"
#include "app/panel/vitals/VitalsWaveform.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QTest>

using namespace corvanite;
using corvanite::test::PanelFixture;
using Kind = VitalsChannels::Kind;

namespace {

class VitalsPanelTest : public PanelFixture {
protected:
    VitalsPanelTest()
    {
        services.hostName = QStringLiteral("workbench");
        skins.setSkin(PanelSkin::Vitals);
    }

    std::unique_ptr<RootPanelView> makeVitals()
    {
        auto root = makePanel();
        root->setFaceFactory(PanelSkin::Vitals, [](const PanelServices& s, QWidget* parent) {
            return new VitalsPanelView(s, parent);
        });
        return root;
    }
    static VitalsPanelView* vitals(RootPanelView& root)
    {
        return qobject_cast<VitalsPanelView*>(root.frontFace());
    }
    VitalsChannel channel(Kind kind)
    {
        return VitalsChannels::build(kind, readings.values(), services);
    }
    void change(const std::function<void(PanelReadings::Values&)>& edit)
    {
        PanelReadings::Values v = readings.values();
        edit(v);
        readings.setValues(v);
    }
    // Records which widget classes paint while `during` runs.
    template <typename F> static QSet<QString> paintedDuring(F&& during)
    {
        struct Counter : QObject {
            QSet<QString> painted;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    painted.insert(QString::fromLatin1(o->metaObject()->className()));
                return false;
            }
        } counter;
        qApp->installEventFilter(&counter);
        during();
        qApp->removeEventFilter(&counter);
        return counter.painted;
    }
};

TEST_F(VitalsPanelTest, ScreenshotsInEnglishGermanTwiceTheResolutionAlarmAndDetail)
{
    for (const auto& [language, name, dpr] :
         {std::tuple{AppLanguage::En, "panel-vitals-en.png", 1.0},
          std::tuple{AppLanguage::De, "panel-vitals-de.png", 1.0},
          std::tuple{AppLanguage::En, "panel-vitals-en@2x.png", 2.0}}) {
        L10n::shared().setLanguage(language);
        auto root = makeVitals();
        ASSERT_NE(vitals(*root), nullptr);
        const QImage image = render(*root, dpr);
        EXPECT_EQ(image.size(), QSize(400, 668) * dpr);
        save(image, QString::fromLatin1(name));
    }
    L10n::shared().setLanguage(AppLanguage::En);
    {
        // CPU past its threshold, the battery low.
        settings.setCpuAlarmThreshold(80);
        change([](PanelReadings::Values& v) {
            v.cpu.total = 93.6;
            v.cpuHistory.append(93.6);
            v.battery.percentage = 14;
            v.battery.isCharging = false;
        });
        auto root = makeVitals();
        EXPECT_TRUE(vitals(*root)->channel(Kind::Cpu)->channel().isAlarm);
        save(render(*root), QStringLiteral("panel-vitals-alarm.png"));
    }
    auto root = makeVitals();
    root->show();
    ProcessSectionControls* section = &vitals(*root)->processes()->controls();
    section->list()->toggle(2210, QStringLiteral("firefox"));
    pins.toggle(QStringLiteral("firefox"));
    ASSERT_NE(section->list()->detailView(), nullptr);
    finishAnimations(*root);
    vitals(*root)->scrollArea()->ensureWidgetVisible(section->list()->detailView(), 0, 24);
    save(render(*root), QStringLiteral("panel-vitals-detail.png"));
}

TEST_F(VitalsPanelTest, ChannelsReadTheirValuesAndAlarmAtTheirThresholds)
{
    settings.setCpuAlarmThreshold(80);
    change([](PanelReadings::Values& v) { v.cpu.total = 80.0; });
    EXPECT_TRUE(channel(Kind::Cpu).isAlarm); // inclusive
    change([](PanelReadings::Values& v) { v.cpu.total = 79.9; });
    EXPECT_FALSE(channel(Kind::Cpu).isAlarm);
    EXPECT_EQ(channel(Kind::Cpu).reading, QStringLiteral("80"));
    // The first of the busiest cores: 88.1 on the fifth.
    EXPECT_EQ(channel(Kind::Cpu).detail, QStringLiteral("PEAK C5 88%"));
    change([](PanelReadings::Values& v) { v.cpu.perCore = {40, 70.2, 69.8}; });
    EXPECT_EQ(channel(Kind::Cpu).detail, QStringLiteral("PEAK C2 70%"));
    change([](PanelReadings::Values& v) { v.cpu.perCore.clear(); });
    EXPECT_EQ(channel(Kind::Cpu).detail, QStringLiteral("—"));

    change([](PanelReadings::Values& v) { v.gpu->deviceUtil = 90; });
    EXPECT_TRUE(channel(Kind::Gpu).isAlarm);
    change([](PanelReadings::Values& v) {
        v.gpu->deviceUtil = 89.9;
        v.gpu->tilerUtil.reset();
    });
    EXPECT_FALSE(channel(Kind::Gpu).isAlarm);
    EXPECT_EQ(channel(Kind::Gpu).detail, QStringLiteral("REN 31 · TIL —"));

    EXPECT_EQ(channel(Kind::Memory).reading, QStringLiteral("56"));
    EXPECT_EQ(channel(Kind::Memory).detail, QStringLiteral("8.9 GB / 16.0 GB"));
    settings.setMemAlarmThreshold(56);
    EXPECT_FALSE(channel(Kind::Memory).isAlarm); // 55.6 %
    settings.setMemAlarmThreshold(55);
    EXPECT_TRUE(channel(Kind::Memory).isAlarm);

    const struct {
        double bps;
        const char* reading;
        const char* unit;
    } rates[] = {{999'999, "1000", "KB/S"},
                 {1'000'000, "1.0", "MB/S"},
                 {999, "999", "B/S"},
                 {2'457'600, "2.5", "MB/S"}};
    for (const auto& r : rates) {
        change([&](PanelReadings::Values& v) { v.network.downBps = r.bps; });
        EXPECT_EQ(channel(Kind::Network).reading, QString::fromLatin1(r.reading)) << r.bps;
        EXPECT_EQ(channel(Kind::Network).subtitle, QString::fromLatin1(r.unit)) << r.bps;
        EXPECT_FALSE(channel(Kind::Network).readingUnit);
        EXPECT_FALSE(channel(Kind::Network).isAlarm);
    }
}

TEST_F(VitalsPanelTest, TemperatureReadsInTheChosenUnitButAlarmsInCelsius)
{
    change([](PanelReadings::Values& v) { v.fans = {1200, 1350.4}; });
    EXPECT_EQ(channel(Kind::Temperature).detail, QStringLiteral("FAN 1200/1350 RPM"));
    EXPECT_EQ(channel(Kind::Temperature).reading, QStringLiteral("72"));
    settings.setTempUnit(TempUnit::Fahrenheit);
    settings.setTempAlarmThreshold(72);
    const VitalsChannel f = channel(Kind::Temperature);
    EXPECT_EQ(f.reading, QStringLiteral("161"));
    EXPECT_EQ(f.readingUnit, QStringLiteral("°"));
    EXPECT_EQ(f.subtitle, QStringLiteral("CPU °F"));
    EXPECT_FALSE(f.isAlarm); // 71.5 °C under 72 °C, although 161 °F is far above 72
    settings.setTempAlarmThreshold(71.5);
    EXPECT_TRUE(channel(Kind::Temperature).isAlarm);

    change([](PanelReadings::Values& v) { v.fans.clear(); });
    EXPECT_EQ(channel(Kind::Temperature).detail, QStringLiteral("GPU 58°C"));
    change([](PanelReadings::Values& v) {
        v.thermal.gpuC.reset();
        v.thermal.cpuC.reset();
    });
    EXPECT_EQ(channel(Kind::Temperature).detail, QStringLiteral("NO FAN"));
    EXPECT_EQ(channel(Kind::Temperature).reading, QStringLiteral("—"));
    EXPECT_FALSE(channel(Kind::Temperature).isAlarm);
}

TEST_F(VitalsPanelTest, TracesAreRightAlignedWithMarginsAndSlotsBreakAtGaps)
{
    // Ten samples after a restart sit in the rightmost tenth of a 90-sample trace.
    const QSizeF size(178, 53);
    const QPolygonF points = VitalsWaveform::valuePoints(QList<double>(10, 50.0), size, 100.0, 90);
    ASSERT_EQ(points.size(), 10);
    EXPECT_DOUBLE_EQ(points.last().x(), 178);
    EXPECT_NEAR(points.first().x(), 178 * (1 - 9.0 / 89), 1e-9);
    const QPolygonF extremes = VitalsWaveform::valuePoints({0, -5, 100, 250}, size, 100.0, 90);
    EXPECT_DOUBLE_EQ(extremes[0].y(), 0.92 * 53);
    EXPECT_DOUBLE_EQ(extremes[1].y(), 0.92 * 53);
    EXPECT_DOUBLE_EQ(extremes[2].y(), 0.08 * 53);
    EXPECT_DOUBLE_EQ(extremes[3].y(), 0.08 * 53);
    EXPECT_TRUE(VitalsWaveform::valuePoints({5}, size, std::nullopt, 90).isEmpty());
    EXPECT_TRUE(VitalsWaveform::valuePoints({5, 6}, QSizeF(4, 53), std::nullopt, 90).isEmpty());
    // Automatic top: the largest value reaches the upper margin.
    EXPECT_DOUBLE_EQ(VitalsWaveform::valuePoints({1, 4}, size, std::nullopt, 90)[1].y(), 0.08 * 53);

    const QList<QPolygonF> runs = VitalsWaveform::slotRuns(
        {10, 20, std::nullopt, 40, std::nullopt, std::nullopt}, QSizeF(100, 50), std::nullopt);
    ASSERT_EQ(runs.size(), 2);
    EXPECT_EQ(runs[0].size(), 2);
    EXPECT_DOUBLE_EQ(runs[0][1].x(), 20);
    // A lone slot is a dash 3 points wide at the top.
    EXPECT_DOUBLE_EQ(runs[1][0].x(), 58.5);
    EXPECT_DOUBLE_EQ(runs[1][1].x(), 61.5);
    EXPECT_DOUBLE_EQ(runs[1][0].y(), 0.08 * 50);
    EXPECT_TRUE(VitalsWaveform::slotRuns({std::nullopt}, QSizeF(100, 50), 1.0).isEmpty());
}

TEST_F(VitalsPanelTest, ALongWindowTurnsCpuMemoryAndTemperatureIntoSlotsOnly)
{
    auto root = makeVitals();
    root->show();
    VitalsPanelView* view = vitals(*root);
    VitalsTrendBar* trend = view->trendBar();
    QTest::mouseClick(trend->picker(), Qt::LeftButton, {},
                      trend->picker()->buttonRects().at(3).center().toPoint());
    ASSERT_EQ(historyWindow.window(), HistoryWindow::H6);
    for (const Kind kind : {Kind::Cpu, Kind::Memory, Kind::Temperature})
        EXPECT_TRUE(view->channel(kind)->channel().slots) << static_cast<int>(kind);
    for (const Kind kind : {Kind::Gpu, Kind::Network})
        EXPECT_FALSE(view->channel(kind)->channel().slots) << static_cast<int>(kind);
    historyWindow.setWindow(HistoryWindow::Live);
    EXPECT_FALSE(view->channel(Kind::Cpu)->channel().slots);
}

TEST_F(VitalsPanelTest, StripsShowSixteenCoresAndTheLitGpuCells)
{
    VitalsCoreStrip cores;
    cores.resize(400, cores.height());
    QList<double> twenty;
    for (int i = 0; i < 20; ++i)
        twenty.append(i * 5.0);
    cores.setCores(twenty);
    EXPECT_EQ(cores.cellRects().size(), 16);
    EXPECT_EQ(cores.labelText(), QStringLiteral("16 CH"));
    EXPECT_LE(cores.cellRects().last().right(), 388.0 + 1e-9);
    EXPECT_EQ(VitalsTheme::coreColor(54.9), VitalsTheme::ecg);
    EXPECT_EQ(VitalsTheme::coreColor(55), VitalsTheme::resp);
    EXPECT_EQ(VitalsTheme::coreColor(80), VitalsTheme::alarm);

    EXPECT_EQ(VitalsGPUStrip::litCells(38, 16), 6);
    EXPECT_EQ(VitalsGPUStrip::litCells(100, 10), 10);
    EXPECT_EQ(VitalsGPUStrip::litCells(3, 10), 0);
    VitalsGPUStrip gpu;
    const int withoutMeter = gpu.height();
    gpu.setSample(*readings.values().gpu);
    EXPECT_TRUE(gpu.hasMeter());
    EXPECT_GT(gpu.height(), withoutMeter);
    EXPECT_EQ(gpu.shownLit(), 6); // not shown yet: no easing
    gpu.setSample(GPUSample{50, std::nullopt, std::nullopt, std::nullopt, 0});
    EXPECT_FALSE(gpu.hasMeter());
    EXPECT_EQ(gpu.height(), withoutMeter);
}

TEST_F(VitalsPanelTest, HeaderAndFooterTexts)
{
    VitalsHeader header(services);
    EXPECT_EQ(header.hostText(), QStringLiteral("workbench"));
    EXPECT_EQ(header.batteryText(), QStringLiteral("76%"));
    EXPECT_EQ(header.batteryColor(), VitalsTheme::ecg);
    change([](PanelReadings::Values& v) { v.battery.percentage = 19; });
    EXPECT_EQ(header.batteryColor(), VitalsTheme::alarm);
    change([](PanelReadings::Values& v) { v.battery.percentage.reset(); });
    EXPECT_EQ(header.batteryText(), QStringLiteral("—"));
    EXPECT_EQ(header.batteryColor(), VitalsTheme::ecg);
    services.hostName.clear();
    EXPECT_EQ(header.hostText(), QStringLiteral("MAC"));
    QTest::mouseClick(header.gear(), Qt::LeftButton);
    EXPECT_TRUE(flip.flipped());

    VitalsFooter footer(services);
    // No percentage: no battery state is claimed.
    EXPECT_EQ(footer.powerTexts(),
              (QStringList{QStringLiteral("—"), QStringLiteral("Health 93%"),
                           QStringLiteral("214 cycles"), QStringLiteral("18.6W")}));
    change([](PanelReadings::Values& v) {
        v.battery.percentage = 76;
        v.battery.isCharging = false;
        v.battery.externalConnected = false;
    });
    EXPECT_EQ(footer.powerTexts().first(), QStringLiteral("76% · On battery"));
    change([](PanelReadings::Values& v) { v.battery.powerWatts = 0.1; });
    EXPECT_FALSE(footer.powerTexts().contains(QStringLiteral("0.1W")));
    settings.setRefreshInterval(5);
    EXPECT_EQ(footer.statusTexts(),
              (QStringList{QStringLiteral("UP 3d 5h"), QStringLiteral("12 PROC"),
                           QStringLiteral("DISK 182.0 GB FREE"), QStringLiteral("5 s REFRESH")}));
    const int withPower = footer.height();
    settings.setHiddenModules({PanelModule::Power});
    EXPECT_FALSE(footer.showsPower());
    EXPECT_LT(footer.height(), withPower);
}

TEST_F(VitalsPanelTest, RowsFollowModulesTheCoreStripAndTheGpuReading)
{
    auto root = makeVitals();
    root->show();
    VitalsPanelView* v = vitals(*root);
    const auto ch = [v](Kind k) -> QWidget* { return v->channel(k); };
    EXPECT_EQ(v->shownItems(),
              (QList<QWidget*>{v->trendBar(), ch(Kind::Cpu), ch(Kind::Gpu), ch(Kind::Memory),
                               ch(Kind::Network), ch(Kind::Temperature), v->coreStrip(),
                               v->gpuStrip(), v->processes()}));
    change([](PanelReadings::Values& values) { values.gpu.reset(); });
    settings.setShowCoreStrip(false);
    settings.setHiddenModules({PanelModule::Memory, PanelModule::Processes});
    EXPECT_EQ(v->shownItems(), (QList<QWidget*>{v->trendBar(), ch(Kind::Cpu), ch(Kind::Network),
                                                ch(Kind::Temperature)}));
    EXPECT_EQ(v->banner()->height(), 0);
    EXPECT_EQ(v->diagnostics()->height(), 0);
}

TEST_F(VitalsPanelTest, TheAlarmPulseRunsOnlyWhileShownAndRepaintsOnlyItsRow)
{
    EXPECT_DOUBLE_EQ(AlarmPulse::opacityAt(0), 0.05);
    EXPECT_NEAR(AlarmPulse::opacityAt(550), 0.16, 1e-9);
    EXPECT_NEAR(AlarmPulse::opacityAt(275), 0.105, 1e-9);
    EXPECT_NEAR(AlarmPulse::opacityAt(1100), 0.05, 1e-9);
    // The alarm red at 5 % and 16 % over the black screen.
    EXPECT_EQ(AlarmPulse::tintAt(0), QColor(13, 3, 3));
    EXPECT_EQ(AlarmPulse::tintAt(550), QColor(41, 9, 9));

    settings.setCpuAlarmThreshold(80);
    change([](PanelReadings::Values& v) { v.cpu.total = 80; });
    auto root = makeVitals();
    root->show();
    VitalsChannelRow* cpu = vitals(*root)->channel(Kind::Cpu);
    ASSERT_TRUE(cpu->pulse()->isVisible());
    EXPECT_TRUE(cpu->pulse()->isRunning());
    EXPECT_TRUE(vitals(*root)->frameClock()->isRunning());
    EXPECT_FALSE(cpu->badgeRect().isEmpty());
    EXPECT_FALSE(vitals(*root)->channel(Kind::Memory)->pulse()->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(root.get()));
    QCoreApplication::processEvents();
    // Frames stepped by hand on the fixture's clock; the frame timer's own frames see a clock
    // that has not moved and paint nothing.
    VitalsFrameClock* frames = vitals(*root)->frameClock();
    const auto frameAfter = [&](qint64 ms) {
        return paintedDuring([&] {
            clock.advance(ms / 1000.0);
            Q_EMIT frames->frame();
            QCoreApplication::processEvents();
        });
    };
    // The pulse alone: not the row and trace it covers, nothing beside it.
    const QSet<QString> pulseOnly{QStringLiteral("corvanite::AlarmPulse")};
    EXPECT_EQ(frameAfter(100), pulseOnly);
    EXPECT_TRUE(cpu->pulse()->bright());
    EXPECT_EQ(frameAfter(500), pulseOnly);
    EXPECT_FALSE(cpu->pulse()->bright());  // on the way back
    EXPECT_EQ(frameAfter(500), pulseOnly); // at the dim end
    // At the turn the tint moves less than a colour step: the frame is skipped.
    EXPECT_TRUE(frameAfter(1).isEmpty());
    EXPECT_EQ(frameAfter(99), pulseOnly);

    // A closed panel animates nothing.
    root->hide();
    EXPECT_FALSE(cpu->pulse()->isRunning());
    root->show();
    EXPECT_TRUE(cpu->pulse()->isRunning());
    change([](PanelReadings::Values& v) { v.cpu.total = 79.9; });
    EXPECT_FALSE(cpu->pulse()->isVisible());
    EXPECT_FALSE(cpu->pulse()->isRunning());
    EXPECT_FALSE(vitals(*root)->frameClock()->isRunning());
    EXPECT_TRUE(cpu->badgeRect().isEmpty());
}

TEST_F(VitalsPanelTest, ANewSampleAdvancesTheTraceWithoutAnimationFrames)
{
    auto root = makeVitals();
    root->show();
    VitalsPanelView* view = vitals(*root);
    change([](PanelReadings::Values& v) {
        v.cpuHistory.append(60);
        v.cpuHistory.removeFirst();
    });
    // The tick itself is the sweep: nothing keeps drawing after it.
    EXPECT_FALSE(view->frameClock()->isRunning());
}

TEST_F(VitalsPanelTest, AnOpenCalmPanelWithoutNewReadingsPaintsNothing)
{
    auto root = makeVitals();
    root->show();
    QTest::qWait(100);
    const QSet<QString> painted = paintedDuring([] { QTest::qWait(300); });
    EXPECT_TRUE(painted.isEmpty())
        << QStringList(painted.begin(), painted.end()).join(QLatin1Char(' ')).toStdString();
}

TEST_F(VitalsPanelTest, SwitchingSkinsWhileOpenKeepsTheWindowAndTheExpandedProcess)
{
    auto root = makeVitals();
    skins.setSkin(PanelSkin::Glass);
    root->show();
    ASSERT_NE(qobject_cast<StatsPanelView*>(root->frontFace()), nullptr);
    historyWindow.setWindow(HistoryWindow::H1);
    ProcessListWell* glassList = root->frontFace()->findChild<ProcessListWell*>();
    glassList->toggle(2210, QStringLiteral("firefox"));
    ASSERT_EQ(detailReads, 1);

    skins.setSkin(PanelSkin::Vitals);
    VitalsPanelView* view = vitals(*root);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    ProcessListWell* list = view->processes()->controls().list();
    EXPECT_EQ(list->expandedPid(), 2210);
    ASSERT_NE(list->detailView(), nullptr);
    EXPECT_EQ(detailReads, 1); // the detail read at expansion is carried over
    EXPECT_EQ(historyWindow.window(), HistoryWindow::H1);
    EXPECT_TRUE(view->channel(Kind::Cpu)->channel().slots);

    skins.setSkin(PanelSkin::Glass);
    EXPECT_EQ(root->frontFace()->findChild<ProcessListWell*>()->expandedPid(), 2210);
}

TEST_F(VitalsPanelTest, TerminateConfirmationUsesTheVitalsWordsAndHoldsThePanel)
{
    auto root = makeVitals();
    root->show();
    ProcessSectionControls* section = &vitals(*root)->processes()->controls();
    section->confirmations()->requestTerminate(2210, QStringLiteral("firefox"));
    QMessageBox* box = section->confirmations()->dialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("End process “firefox”?"));
    QStringList labels;
    for (QAbstractButton* b : box->buttons())
        labels.append(b->text());
    EXPECT_TRUE(labels.contains(QStringLiteral("End Process")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Always Terminate")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Cancel")));
    EXPECT_EQ(holds, (QList<bool>{true}));
    box->reject();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(holds.last(), false);

    section->setSearchShown(true);
    EXPECT_TRUE(section->searchBar()->isVisible());
    QTest::keyClicks(section->searchBar()->field(), QStringLiteral("fire"));
    EXPECT_EQ(section->list()->rows().size(), 1);
}

} // namespace

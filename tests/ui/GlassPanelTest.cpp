// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/PanelFixture.h"

#include "app/panel/CapsuleButton.h"
#include "app/panel/HistoryWindowPicker.h"
#include "app/panel/KeyablePanel.h"
#include "app/panel/PanelCardShape.h"
#include "app/panel/PanelColumn.h"
#include "app/panel/PanelWindowController.h"
#include "app/panel/Sparkline.h"
#include "app/panel/SymbolButton.h"
#include "app/panel/Theme.h"
#include "app/panel/diagnostics/DiagnosticsCard.h"
#include "app/panel/glass/CpuSection.h"
#include "app/panel/glass/GlassFooter.h"
#include "app/panel/glass/GlassHeader.h"
#include "app/panel/glass/PowerSection.h"
#include "app/panel/glass/ProcessSection.h"
#include "app/panel/glass/StatsPanelView.h"
#include "app/panel/glass/ThermalSection.h"
#include "app/panel/process/PausedBanner.h"
#include "app/panel/process/ProcessConfirmations.h"
#include "app/panel/process/ProcessDetailView.h"
#include "app/panel/process/ProcessListWell.h"
#include "app/panel/process/ProcessRow.h"
#include "app/panel/process/ProcessSearchBar.h"
#include "app/panel/process/ProcessSectionControls.h"
#include "app/panel/process/ProcessTexts.h"
#include "app/sampling/ProcessVisualCache.h"
#include "platform/linux/DesktopApplications.h"
#include "tests/support/FixtureTree.h"
#include "tests/support/WaitFor.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <csignal>

using namespace corvanite;
using corvanite::test::PanelFixture;

namespace {

class GlassPanelTest : public PanelFixture {
protected:
    StatsPanelView* glass(RootPanelView& root)
    {
        return qobject_cast<StatsPanelView*>(root.frontFace());
    }
    ProcessListWell* list(RootPanelView& root)
    {
        return glass(root)->processes()->controls().list();
    }
    // Scrolls the column so that `widget` is in view, as a user would before looking at it.
    static void scrollTo(StatsPanelView* view, QWidget* widget)
    {
        view->scrollArea()->ensureWidgetVisible(widget, 0, 0);
        QCoreApplication::processEvents();
    }
};

TEST_F(GlassPanelTest, ScreenshotsOfTheCardInEnglishGermanAndAtTwiceTheResolution)
{
    for (const auto& [language, name, dpr] :
         {std::tuple{AppLanguage::En, "panel-glass-en.png", 1.0},
          std::tuple{AppLanguage::De, "panel-glass-de.png", 1.0},
          std::tuple{AppLanguage::En, "panel-glass-en@2x.png", 2.0}}) {
        L10n::shared().setLanguage(language);
        auto root = makePanel();
        const QImage image = render(*root, dpr);
        EXPECT_EQ(image.size(), QSize(400, 668) * dpr);
        save(image, QString::fromLatin1(name));
    }
    // The scrolled-down half shows the processes card and the footer.
    L10n::shared().setLanguage(AppLanguage::De);
    auto root = makePanel();
    root->show();
    scrollTo(glass(*root), glass(*root)->footer());
    save(render(*root), QStringLiteral("panel-glass-de-processes.png"));
}

TEST_F(GlassPanelTest, ScreenshotsOfDetailSearchAndDiagnostics)
{
    {
        auto root = makePanel();
        root->show();
        list(*root)->toggle(2210, QStringLiteral("firefox"));
        pins.toggle(QStringLiteral("firefox"));
        finishAnimations(*root);
        glass(*root)->scrollArea()->ensureWidgetVisible(list(*root)->detailView(), 0, 24);
        save(render(*root), QStringLiteral("panel-glass-detail.png"));
    }
    {
        auto root = makePanel();
        root->show();
        glass(*root)->processes()->controls().setSearchShown(true);
        QTest::keyClicks(glass(*root)->processes()->controls().searchBar()->field(),
                         QStringLiteral("fire"));
        scrollTo(glass(*root), glass(*root)->processes());
        save(render(*root), QStringLiteral("panel-glass-search.png"));
        EXPECT_EQ(list(*root)->rows().size(), 1);
    }
    stageFindings();
    ASSERT_TRUE(pause.pause(7021, QStringLiteral("spotify")));
    auto root = makePanel();
    EXPECT_EQ(glass(*root)->banner()->lineCount(), 1);
    save(render(*root), QStringLiteral("panel-glass-diagnostics.png"));
}

TEST_F(GlassPanelTest, SectionsFollowModuleVisibilityAndTheGpuReading)
{
    auto root = makePanel();
    root->show();
    StatsPanelView* view = glass(*root);
    EXPECT_TRUE(view->section(PanelModule::Gpu)->isVisibleTo(view));

    PanelReadings::Values v = readings.values();
    v.gpu.reset();
    readings.setValues(v);
    EXPECT_FALSE(view->section(PanelModule::Gpu)->isVisibleTo(view));

    settings.setHiddenModules(
        QSet<PanelModule>(allPanelModules().begin(), allPanelModules().end()));
    // Nothing paused and no findings: banner and card take no space either.
    EXPECT_EQ(view->shownItems(), (QList<QWidget*>{view->cpu(), view->footer()}));
    EXPECT_EQ(view->banner()->height(), 0);
    EXPECT_EQ(view->diagnostics()->height(), 0);
}

TEST_F(GlassPanelTest, ManyCoresShowTheFirstTwelveAndTheRest)
{
    PanelReadings::Values v = readings.values();
    v.cpu.perCore = QList<double>(24, 30.0);
    readings.setValues(v);
    CpuSection cpu(services);
    cpu.resize(376, cpu.height());
    EXPECT_EQ(cpu.moreCoresText(), QStringLiteral("+12 more cores"));
    // Six rows of two cells and the more-cores line.
    v.cpu.perCore = QList<double>(8, 30.0);
    readings.setValues(v);
    QCoreApplication::processEvents();
    EXPECT_EQ(cpu.moreCoresText(), QString());
    const int eightCores = cpu.height();
    settings.setShowCoreStrip(false);
    EXPECT_EQ(eightCores - cpu.height(), 4 * 12 + 3 * 4 + 8);
}

TEST_F(GlassPanelTest, LevelColoursBatteryLookAndFanSpeeds)
{
    struct Case {
        std::optional<int> percent;
        QString symbol;
        QColor tile;
        QColor value;
    };
    for (const Case& c :
         {Case{49, QStringLiteral("battery.50percent"), Theme::networkUp, Theme::networkUp},
          Case{50, QStringLiteral("battery.50percent"), Theme::networkDown, Theme::networkDown},
          Case{19, QStringLiteral("battery.25percent"), Theme::red, Theme::red},
          Case{9, QStringLiteral("battery.0percent"), Theme::red, Theme::red},
          Case{95, QStringLiteral("battery.100percent"), Theme::networkDown, Theme::networkDown},
          Case{std::nullopt, QStringLiteral("battery.25percent"), Theme::secondaryText,
               Theme::secondaryText}}) {
        const auto look = PowerSection::chargeLook(c.percent);
        EXPECT_EQ(look.symbol, c.symbol) << c.percent.value_or(-1);
        EXPECT_EQ(look.tileColor, c.tile) << c.percent.value_or(-1);
        EXPECT_EQ(look.valueColor, c.value) << c.percent.value_or(-1);
    }
    // A machine without battery data claims no state and no power source.
    EXPECT_TRUE(PowerSection::statusLines(BatterySample{}).isEmpty());
    BatterySample charging;
    charging.percentage = 40;
    charging.isCharging = true;
    charging.externalConnected = true;
    EXPECT_EQ(PowerSection::statusLines(charging),
              QStringList({L(QStringLiteral("battery.status.charging")),
                           L(QStringLiteral("battery.power.ac"))}));
    EXPECT_EQ(Theme::tempColor(69.9), Theme::primaryText);
    EXPECT_EQ(Theme::tempColor(70), Theme::yellow);
    EXPECT_EQ(Theme::tempColor(85), Theme::red);
    EXPECT_EQ(Theme::usageColor(59.9), Theme::networkDown);
    EXPECT_EQ(Theme::usageColor(60), Theme::yellow);

    ThermalSection thermal(services);
    settings.setTempUnit(TempUnit::Fahrenheit);
    EXPECT_EQ(thermal.temperatureText(70.0), QStringLiteral("158°F"));
    EXPECT_EQ(thermal.temperatureText(85.0), QStringLiteral("185°F"));
    EXPECT_EQ(thermal.temperatureText(std::nullopt), QStringLiteral("—"));
    EXPECT_EQ(ThermalSection::fanSpeeds({1234.6, 2000.2}), QStringLiteral("1235 / 2000 RPM"));
    EXPECT_EQ(ThermalSection::fanSpeeds({}), QStringLiteral("—"));
}

TEST_F(GlassPanelTest, SparklineSlotsDrawSeparatePiecesAndALoneSampleAsADash)
{
    const QList<std::optional<double>> slots{10.0,         20.0, std::nullopt, std::nullopt, 30.0,
                                             std::nullopt, 40.0, 50.0,         60.0};
    const QList<QPolygonF> runs = Sparkline::slotRuns(slots, QSizeF(80, 30), 100.0);
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[0].size(), 2);
    EXPECT_EQ(runs[1], (QPolygonF{QPointF(38.5, 21), QPointF(41.5, 21)}));
    EXPECT_EQ(runs[2].size(), 3);
    EXPECT_DOUBLE_EQ(runs[2].last().x(), 80);

    // Values mode scales to the largest value and keeps out-of-range values on the canvas.
    const QPolygonF line = Sparkline::linePoints({0, 50, 200}, QSizeF(100, 40), std::nullopt);
    EXPECT_EQ(line, (QPolygonF{QPointF(0, 40), QPointF(50, 30), QPointF(100, 0)}));
    EXPECT_TRUE(Sparkline::linePoints({5}, QSizeF(2, 40), std::nullopt).isEmpty());
    EXPECT_TRUE(
        Sparkline::slotRuns({std::nullopt, std::nullopt}, QSizeF(80, 30), std::nullopt).isEmpty());
}

TEST_F(GlassPanelTest, HistoryPickerSetsTheWindowEveryChartShares)
{
    CpuSection cpu(services);
    cpu.resize(376, cpu.height());
    HistoryWindowPicker* picker = cpu.picker();
    const QRectF h6 = picker->buttonRects().at(3);
    QTest::mouseClick(picker, Qt::LeftButton, {}, h6.center().toPoint());
    EXPECT_EQ(historyWindow.window(), HistoryWindow::H6);
}

TEST_F(GlassPanelTest, ExpandingARowReadsTheDetailOnceAndGrowsTheWellBy180)
{
    ProcessListWell well(services, Theme::tertiaryText);
    well.resize(348, well.height());
    const int collapsed = well.height();
    EXPECT_EQ(collapsed, settings.processRowCount() * 33);
    ProcessRow* first = well.rows().first();
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(well.expandedPid(), first->record().proc.pid);
    EXPECT_EQ(well.height(), collapsed + 180);
    EXPECT_EQ(detailReads, 1);
    readings.setValues(readings.values()); // a new tick does not read it again
    EXPECT_EQ(detailReads, 1);
    QTest::mouseClick(well.rows().first(), Qt::LeftButton);
    EXPECT_FALSE(well.expandedPid());
    EXPECT_EQ(well.height(), collapsed);
}

// On screen the detail unrolls under its row on the spring and rolls back up on collapse, while
// the expansion state itself changes at once.
TEST_F(GlassPanelTest, TheDetailGrowsAndShrinksUnderItsRowOnASpring)
{
    auto root = makePanel();
    root->show();
    ProcessListWell* well = list(*root);
    const int collapsed = well->height();
    ProcessRow* first = well->rows().first();
    QTest::mouseClick(first, Qt::LeftButton);
    ASSERT_NE(well->detailView(), nullptr);
    QList<QAbstractAnimation*> moving = runningAnimations(*well);
    ASSERT_EQ(moving.size(), 1);
    QAbstractAnimation* spring = moving.first();
    EXPECT_EQ(spring->totalDuration(), 311); // 0.22 s response, 0.85 damping, settled to 0.1 %

    spring->setCurrentTime(40);
    const int early = well->height();
    EXPECT_GT(early, collapsed);
    EXPECT_LT(early, collapsed + 180);
    EXPECT_LT(well->detailView()->height(), well->detailView()->contentHeight());
    EXPECT_EQ(well->detailView()->y(), first->geometry().bottom() + 4); // right under its row
    spring->setCurrentTime(120);
    EXPECT_GT(well->height(), early);
    spring->setCurrentTime(spring->totalDuration());
    EXPECT_EQ(well->height(), collapsed + 180);
    EXPECT_EQ(well->detailView()->height(), well->detailView()->contentHeight());
    EXPECT_TRUE(runningAnimations(*root).isEmpty());

    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_FALSE(well->expandedPid());
    EXPECT_EQ(well->detailView(), nullptr);
    EXPECT_EQ(well->height(), collapsed + 180); // still open, about to shrink
    ASSERT_EQ(runningAnimations(*well).size(), 1);
    spring->setCurrentTime(60);
    EXPECT_LT(well->height(), collapsed + 180);
    EXPECT_GT(well->height(), collapsed);
    spring->setCurrentTime(spring->totalDuration());
    EXPECT_EQ(well->height(), collapsed);
    EXPECT_TRUE(well->findChildren<ProcessDetailView*>().isEmpty());
    EXPECT_TRUE(runningAnimations(*root).isEmpty());

    // Collapsing half way open shrinks from where it stood, and a new expansion takes over.
    QTest::mouseClick(first, Qt::LeftButton);
    spring->setCurrentTime(50);
    const int half = well->height();
    well->collapse();
    spring->setCurrentTime(10);
    EXPECT_LE(well->height(), half);
    QTest::mouseClick(well->rows().at(1), Qt::LeftButton);
    finishAnimations(*root);
    EXPECT_EQ(well->expandedPid(), well->rows().at(1)->record().proc.pid);
    EXPECT_EQ(well->height(), collapsed + 180);
    EXPECT_EQ(well->findChildren<ProcessDetailView*>().size(), 1);
}

// Rows on screen keep their names while their pids stay, but an application installed while
// the panel is open names its rows at the next refresh.
TEST_F(GlassPanelTest, ShownRowsTakeTheNameOfAnApplicationInstalledMeanwhile)
{
    test::FixtureTree tree(QStringLiteral("linux"));
    tree.write(QStringLiteral("proc/2210/comm"), "firefox\n");
    tree.write(QStringLiteral("data/applications/.keep"), "");
    DesktopApplications apps({tree.path(QStringLiteral("data"))}, tree.root());
    ProcessVisualCache visuals(apps);
    services.visuals = &visuals;
    ProcessListWell well(services, Theme::tertiaryText);
    well.resize(348, well.height());
    well.show();
    auto shownName = [&] {
        for (const ProcessRow* row : well.rows()) {
            if (row->record().proc.pid == 2210)
                return row->shownName();
        }
        return QString();
    };
    ASSERT_EQ(shownName(), QStringLiteral("firefox"));

    const quint64 before = visuals.generation();
    tree.write(QStringLiteral("data/applications/firefox.desktop"),
               "[Desktop Entry]\nType=Application\nName=Firefox Web Browser\nExec=firefox %u\n");
    ASSERT_TRUE(test::waitFor([&] { return visuals.generation() != before; }));
    well.refresh(); // the next published snapshot
    EXPECT_EQ(shownName(), QStringLiteral("Firefox Web Browser"));
}

TEST_F(GlassPanelTest, RowValuesByModeAndThresholds)
{
    ProcessRow row(pins, pause, 16ull << 30);
    const auto show = [&](double cpu, quint64 mem, ProcessSortMode mode) {
        row.setRecord(RankedProcess{1, ProcessSample{77, QStringLiteral("worker"), cpu, mem}, 0.5},
                      mode, false);
    };
    show(49.9, 1 << 20, ProcessSortMode::Cpu);
    EXPECT_EQ(row.primaryText(), QStringLiteral("49.9%"));
    EXPECT_EQ(row.primaryColor(), Theme::primaryText);
    show(50, 1 << 20, ProcessSortMode::Cpu);
    EXPECT_EQ(row.primaryColor(), Theme::networkDown);
    show(90, 1 << 20, ProcessSortMode::Cpu);
    EXPECT_EQ(row.primaryColor(), Theme::red);
    show(1, 4ull << 30, ProcessSortMode::Memory);
    EXPECT_EQ(row.primaryText(), QStringLiteral("25.0%"));
    EXPECT_EQ(row.secondaryText(), QStringLiteral("4.0 GB"));
    EXPECT_EQ(row.shownName(), QStringLiteral("worker"));

    for (const auto& [watts, text] :
         {std::pair{12.3, "12 W"}, std::pair{3.456, "3.5 W"}, std::pair{0.5, "0.50 W"}})
        EXPECT_EQ(ProcessTexts::power(watts), QString::fromLatin1(text));
    EXPECT_EQ(ProcessTexts::energy(3.6e13), QStringLiteral("10 Wh"));
    EXPECT_EQ(ProcessTexts::energy(5.4e12), QStringLiteral("1.5 Wh"));
    EXPECT_EQ(ProcessTexts::energy(3.6e10), QStringLiteral("10 mWh"));
    EXPECT_EQ(ProcessTexts::energy(1e9), QStringLiteral("<1 mWh"));
    show(8, 1, ProcessSortMode::Energy);
    EXPECT_EQ(row.primaryColor(), Theme::energy);
}

TEST_F(GlassPanelTest, DetailOffersWhatTheProcessAllows)
{
    auto detailFor = [&](qint32 pid, const QString& name) {
        return std::make_unique<ProcessDetailView>(*services.readDetail(pid, name),
                                                   terminator.isKillable(pid, name), pins, pause,
                                                   clock, services.revealFile);
    };
    auto xorg = detailFor(988, QStringLiteral("Xorg"));
    EXPECT_FALSE(xorg->showsRevealButton()); // no readable path

    info.add(300, 300, 1'700'000'000);
    auto server = detailFor(300, QStringLiteral("WindowServer"));
    EXPECT_FALSE(server->offersTerminate());     // protected
    EXPECT_EQ(server->groupAction(), QString()); // and never paused

    auto firefox = detailFor(2210, QStringLiteral("firefox"));
    EXPECT_TRUE(firefox->showsRevealButton());
    EXPECT_TRUE(firefox->offersTerminate());
    EXPECT_EQ(firefox->groupAction(), QStringLiteral("pause"));
    EXPECT_FALSE(firefox->showsTrend());

    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        pins.toggle(name);
    EXPECT_FALSE(firefox->pinEnabled());
    EXPECT_EQ(firefox->pinHelp(), QStringLiteral("Pin list is full"));

    ASSERT_TRUE(pause.pause(2210, QStringLiteral("firefox")));
    EXPECT_EQ(firefox->groupAction(), QStringLiteral("resume"));
}

// A zombie or a kernel thread cannot be signalled: its detail offers no action and says why.
// Actions that are offered carry the start the detail was read with.
TEST_F(GlassPanelTest, DetailOfAZombieSaysSoAndActionsCarryTheStartTheyWereReadWith)
{
    info.add(5150, 5150, 1'700'000'000);
    info.processes[5150].zombie = true;
    ProcessDetail zombie = *services.readDetail(5150, QStringLiteral("defunct-worker"));
    zombie.zombie = true;
    zombie.path = QStringLiteral("—");
    QWidget card; // the panel's dark card behind the detail
    QPalette dark = card.palette();
    dark.setColor(QPalette::Window, QColor(30, 32, 38));
    card.setPalette(dark);
    card.setAutoFillBackground(true);
    card.resize(368, 180);
    auto* view = new ProcessDetailView(zombie, terminator.isKillable(5150, zombie.name), pins,
                                       pause, clock, services.revealFile, &card);
    view->setGeometry(10, 10, 348, view->contentHeight());
    EXPECT_EQ(view->groupAction(), QString());
    EXPECT_EQ(view->stateAction(), QStringLiteral("zombie"));
    save(render(card, 2), QStringLiteral("process-detail-zombie.png"));

    ProcessDetail live = *services.readDetail(2210, QStringLiteral("firefox"));
    live.startTicks = 987654;
    ProcessDetailView firefox(live, true, pins, pause, clock, services.revealFile);
    QList<quint64> sent;
    QObject::connect(&firefox, &ProcessDetailView::terminateRequested,
                     [&](qint32, const QString&, quint64 ticks) { sent.append(ticks); });
    QObject::connect(&firefox, &ProcessDetailView::pauseRequested,
                     [&](qint32, const QString&, quint64 ticks) { sent.append(ticks); });
    for (CapsuleButton* button : firefox.findChildren<CapsuleButton*>())
        button->click();
    EXPECT_EQ(sent, (QList<quint64>{987654, 987654}));
}

TEST_F(GlassPanelTest, APinnedTrendAppearsWithTwoValues)
{
    pins.toggle(QStringLiteral("firefox"));
    auto detail =
        std::make_unique<ProcessDetailView>(*services.readDetail(2210, QStringLiteral("firefox")),
                                            true, pins, pause, clock, services.revealFile);
    pins.record(readings.values().processes);
    EXPECT_FALSE(detail->showsTrend());
    clock.advance(31);
    pins.record(readings.values().processes);
    EXPECT_TRUE(detail->showsTrend());
}

TEST_F(GlassPanelTest, ClearingTheSearchRemovesTheClearButton)
{
    ProcessSearchBar bar(ProcessViewStyle::forSkin(PanelSkin::Glass));
    bar.resize(300, 26);
    QString seen;
    QObject::connect(&bar, &ProcessSearchBar::textChanged, [&](const QString& t) { seen = t; });
    bar.setText(QStringLiteral("code"));
    EXPECT_TRUE(bar.showsClearButton());
    bar.clear();
    EXPECT_FALSE(bar.showsClearButton());
    EXPECT_EQ(seen, QString());
}

TEST_F(GlassPanelTest, TerminateConfirmationHoldsThePanelWhileUp)
{
    auto root = makePanel();
    root->show();
    ProcessSectionControls* section = &glass(*root)->processes()->controls();
    section->confirmations()->requestTerminate(2210, QStringLiteral("firefox"));
    QMessageBox* box = section->confirmations()->dialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Terminate “firefox”?"));
    EXPECT_EQ(holds, (QList<bool>{true}));
    box->reject();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(holds.last(), false);
    EXPECT_TRUE(signaller.sent.isEmpty());

    // Pre-authorised names go at once, without a dialog.
    settings.addPreauthorized(QStringLiteral("code"));
    holds.clear();
    section->confirmations()->requestTerminate(3105, QStringLiteral("code"));
    EXPECT_TRUE(holds.isEmpty());
    EXPECT_EQ(signaller.sent, (QList<std::pair<qint32, int>>{{3105, SIGTERM}}));
}

TEST_F(GlassPanelTest, PauseConfirmationNamesTheMemberThatProtectsTheGroup)
{
    info.add(6100, 6100, 5);
    info.add(6101, 6100, 6);
    info.names.insert(6100, QStringLiteral("sh"));
    info.names.insert(6101, QStringLiteral("pipewire"));
    auto root = makePanel();
    root->show();
    ProcessSectionControls* section = &glass(*root)->processes()->controls();
    section->confirmations()->requestPause(6100, QStringLiteral("sh"));
    QMessageBox* box = section->confirmations()->dialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("“sh” cannot be paused"));
    EXPECT_TRUE(box->informativeText().contains(QStringLiteral("pipewire (PID 6101)")));
    ASSERT_EQ(box->buttons().size(), 1); // nothing to confirm, only to close
    QCoreApplication::processEvents();
    EXPECT_TRUE(
        box->grab().save(test::screenshotPath(QStringLiteral("pause-protected-member.png"))));
    box->buttons().first()->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(signaller.sent.isEmpty());
    EXPECT_TRUE(pause.paused().isEmpty());
}

TEST_F(GlassPanelTest, DiagnosticsCardLooksAndTerminateButtons)
{
    stageFindings();
    DiagnosticsCard card(services, ProcessViewStyle::forSkin(PanelSkin::Glass));
    card.resize(376, card.height());
    ASSERT_EQ(insights.insights().size(), 2);
    EXPECT_GT(card.height(), 0);
    EXPECT_EQ(card.terminateButtons(), (QList<bool>{true, true}));
    EXPECT_EQ(DiagnosticsCard::look(Insight::Kind::SleepBlocker, PanelSkin::Glass).tint,
              Theme::fan);
    EXPECT_EQ(DiagnosticsCard::look(Insight::Kind::IdleHog, PanelSkin::Vitals).symbol,
              QStringLiteral("zzz"));

    card.terminate(1);
    ASSERT_NE(card.dialog(), nullptr);
    EXPECT_EQ(holds, (QList<bool>{true}));
    card.dialog()->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(holds.last(), false);
    EXPECT_TRUE(signaller.sent.isEmpty());
}

// Findings that appear slide the card down from its top edge while it fades in; when the last
// one goes, it slides back up and fades out, then takes no space again.
TEST_F(GlassPanelTest, TheDiagnosticsCardSlidesInAndOutFromTheTop)
{
    auto root = makePanel();
    root->show();
    DiagnosticsCard* card = glass(*root)->diagnostics();
    EXPECT_FALSE(card->isVisibleTo(root.get()));

    stageFindings();
    QList<QAbstractAnimation*> moving = runningAnimations(*card);
    ASSERT_EQ(moving.size(), 1);
    QAbstractAnimation* slide = moving.first();
    EXPECT_TRUE(card->isVisibleTo(root.get()));
    EXPECT_EQ(card->height(), 0);
    slide->setCurrentTime(slide->totalDuration() / 2);
    const int half = card->height();
    EXPECT_GT(half, 0);
    // Drawn over nothing, so that the coverage shows how opaque the card is.
    const auto picture = [card] {
        QImage image(card->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        card->render(&image, {}, {}, QWidget::DrawChildren);
        return image;
    };
    const QImage midway = picture();
    slide->setCurrentTime(slide->totalDuration());
    const int full = card->height();
    EXPECT_GT(full, half);
    EXPECT_EQ(card->terminateButtons(), (QList<bool>{true, true}));
    for (QWidget* button : card->findChildren<SymbolButton*>())
        EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(runningAnimations(*root).isEmpty());
    // Half way the lines are fainter than at rest: the card fades as it moves.
    const QImage settled = picture();
    const auto mostOpaque = [](const QImage& image) {
        int most = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                most = std::max(most, qAlpha(image.pixel(x, y)));
        return most;
    };
    EXPECT_LT(mostOpaque(midway), 200);
    EXPECT_GT(mostOpaque(settled), 240);

    clock.advance(120);
    insights.setPressureLevel(PressureLevel::Normal);
    insights.ingest({}, AssertionMap{});
    ASSERT_TRUE(insights.insights().isEmpty());
    ASSERT_EQ(runningAnimations(*card).size(), 1);
    EXPECT_EQ(card->height(), full); // the last picture is still in place, about to leave
    slide->setCurrentTime(slide->totalDuration() / 2);
    EXPECT_LT(card->height(), full);
    EXPECT_TRUE(card->isVisibleTo(root.get()));
    slide->setCurrentTime(slide->totalDuration());
    EXPECT_EQ(card->height(), 0);
    EXPECT_FALSE(card->isVisibleTo(root.get()));
    EXPECT_TRUE(runningAnimations(*root).isEmpty());
}

TEST_F(GlassPanelTest, CardArrowKeepsClearOfTheCorners)
{
    anchor.setArrowX(5);
    EXPECT_EQ(anchor.clamped(400), 24);
    anchor.setArrowX(399);
    EXPECT_EQ(anchor.clamped(400), 376);
    PanelCardShape shape;
    shape.arrowX = 200;
    const QPainterPath path = shape.path(QRectF(0, 0, 400, 668));
    EXPECT_EQ(path.boundingRect(), QRectF(0, 0, 400, 668));
    EXPECT_TRUE(path.contains(QPointF(200, 3)));  // inside the arrow
    EXPECT_FALSE(path.contains(QPointF(100, 3))); // above the body, beside the arrow
}

TEST_F(GlassPanelTest, TheGearTurnsTheCardAndAResetComesBackWithoutAnimation)
{
    auto root = makePanel();
    root->show();
    QTest::mouseClick(glass(*root)->header()->gear(), Qt::LeftButton);
    EXPECT_TRUE(flip.flipped());
    EXPECT_TRUE(root->isTurning());
    flip.reset();
    EXPECT_FALSE(root->isTurning());
    EXPECT_EQ(root->angle(), 0);
    EXPECT_TRUE(root->frontFace()->isVisible());
    EXPECT_FALSE(root->backFace()->isVisible());
    EXPECT_NEAR(RootPanelView::spring(1.0), 1.0, 1e-9);
    EXPECT_NEAR(RootPanelView::spring(0.0), 0.0, 1e-9);
}

} // namespace

namespace {

class PanelWindowFacesTest : public PanelFixture {
protected:
    QList<bool> publishing;
    PanelWindowController controller{clock, [this](bool paused) { publishing.append(paused); }};

    PanelWindowFacesTest()
    {
        controller.setFaces(&anchor, &flip);
        controller.setContentFactory([this](bool windowed) -> QWidget* {
            return new RootPanelView(services, skins, anchor, windowed);
        });
    }
    // A closed panel is deleted later; it must not outlive the services it was built over.
    ~PanelWindowFacesTest() override
    {
        controller.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(PanelWindowFacesTest, OpeningShowsTheSkinUnderTheArrowAndClosingTurnsTheFrontUp)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // An item 100 points from the right edge: the card is pushed left, the arrow follows.
    const QRect item(screen.right() - 100 - 11, screen.top(), 22, 22);
    controller.show(item);
    ASSERT_TRUE(controller.isShown());
    auto* root =
        qobject_cast<RootPanelView*>(static_cast<KeyablePanel*>(controller.panel())->content());
    ASSERT_NE(root, nullptr);
    EXPECT_NE(qobject_cast<StatsPanelView*>(root->frontFace()), nullptr);
    EXPECT_EQ(controller.panel()->geometry().right(), screen.right() - 8);
    EXPECT_EQ(anchor.arrowX(), item.center().x() + 1 - controller.panel()->x());
    EXPECT_GT(anchor.arrowX(), 200);
    EXPECT_TRUE(anchor.pointsUp());

    flip.setFlipped(true);
    controller.close();
    EXPECT_FALSE(flip.flipped());
    controller.show(item);
    root = qobject_cast<RootPanelView*>(static_cast<KeyablePanel*>(controller.panel())->content());
    EXPECT_FALSE(root->isTurning());
    EXPECT_TRUE(root->frontFace()->isVisibleTo(root));
    EXPECT_FALSE(root->backFace()->isVisibleTo(root));
}

} // namespace

namespace {

// An open panel with nothing new to show stays still: no repaint or relayout loops.
TEST_F(GlassPanelTest, AnOpenPanelWithoutNewReadingsPaintsNothing)
{
    auto root = makePanel();
    root->show();
    QTest::qWait(200);
    struct Counter : QObject {
        int paints = 0;
        QStringList who;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Paint || e->type() == QEvent::LayoutRequest) {
                ++paints;
                if (who.size() < 10)
                    who.append(QString::fromLatin1(o->metaObject()->className()));
            }
            return false;
        }
    } counter;
    qApp->installEventFilter(&counter);
    QTest::qWait(300);
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.paints, 0) << counter.who.join(QLatin1Char(' ')).toStdString();
}

} // namespace

namespace {

// A tick that changed only the network readings repaints the network card and nothing else.
TEST_F(GlassPanelTest, ATickRepaintsOnlyTheCardsWhoseReadingsChanged)
{
    auto root = makePanel();
    root->show();
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
    // The first paints of a freshly shown panel may arrive late on a loaded machine: count only
    // once it has settled.
    for (int i = 0; i < 30; ++i) {
        counter.painted.clear();
        QTest::qWait(100);
        if (counter.painted.isEmpty())
            break;
    }
    ASSERT_TRUE(counter.painted.isEmpty()) << "the idle panel keeps painting";
    PanelReadings::Values v = readings.values();
    v.network.downBps = 9e6;
    readings.setValues(v, PanelReadings::Part::Network);
    QTest::qWait(100);
    qApp->removeEventFilter(&counter);
    EXPECT_TRUE(counter.painted.contains(QStringLiteral("corvanite::NetworkSection")));
    for (const char* other : {"corvanite::CpuSection", "corvanite::MemorySection",
                              "corvanite::ProcessRow", "corvanite::GlassHeader"})
        EXPECT_FALSE(counter.painted.contains(QString::fromLatin1(other))) << other;
}

} // namespace

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/SettingsFixture.h"

#include "tests/support/WaitFor.h"

#include "app/panel/settings/SettingsButton.h"
#include "app/panel/settings/SettingsCheckBox.h"
#include "app/panel/settings/SettingsSwitch.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>

namespace corvanite::test {
namespace {

class SettingsContentTest : public SettingsFixture {
protected:
    // Picks the entry holding `value`, as a click in the popup does.
    static void choose(QComboBox* combo, const QVariant& value)
    {
        const int index = combo->findData(value);
        ASSERT_GE(index, 0) << value.toString().toStdString();
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }
    static QStringList texts(QComboBox* combo)
    {
        QStringList all;
        for (int i = 0; i < combo->count(); ++i)
            all << combo->itemText(i);
        return all;
    }
};

TEST_F(SettingsContentTest, EachControlChangesTheStoredPreferenceAndWhatItGovernsAtOnce)
{
    auto content = make();
    choose(find<QComboBox>(*content, QStringLiteral("settings.interval")), 5.0);
    EXPECT_EQ(settings.refreshInterval(), 5.0);
    EXPECT_EQ(monitorIntervals, QList<double>{5.0});

    find<SettingsSwitch>(*content, QStringLiteral("settings.alerts.enable"))->click();
    EXPECT_TRUE(settings.alertsEnabled());
    EXPECT_EQ(authorizationRequests, 1);
    EXPECT_GE(effectiveIntervalApplied, 1);
    choose(find<QComboBox>(*content, QStringLiteral("settings.alerts.cpu")), 70.0);
    choose(find<QComboBox>(*content, QStringLiteral("settings.alerts.memory")), 95.0);
    choose(find<QComboBox>(*content, QStringLiteral("settings.alerts.temp")), 90.0);

    find<SettingsSwitch>(*content, QStringLiteral("settings.comfort.enable"))->click();
    EXPECT_TRUE(settings.comfortEnabled());
    EXPECT_TRUE(fans.isRunning()) << "the controller started with the switch";
    choose(find<QComboBox>(*content, QStringLiteral("settings.comfort.target")), 35.0);
    // The controller reads its target from the store on its next tick: above 35 it cools.
    fans.tick();
    EXPECT_EQ(fans.status(), FanController::Status::active);

    choose(find<QComboBox>(*content, QStringLiteral("settings.layout.rows")), 6);
    find<SettingsSwitch>(*content, QStringLiteral("settings.layout.cores"))->click();
    find<SettingsCheckBox>(*content, QStringLiteral("settings.module.gpu"))->click();
    find<SettingsSwitch>(*content, QStringLiteral("settings.update.auto"))->click();
    choose(find<QComboBox>(*content, QStringLiteral("settings.skin")), QStringLiteral("vitals"));
    EXPECT_EQ(skins.skin(), PanelSkin::Vitals);

    auto again = reloaded();
    EXPECT_EQ(again->refreshInterval(), 5.0);
    EXPECT_TRUE(again->alertsEnabled());
    EXPECT_EQ(again->cpuAlarmThreshold(), 70.0);
    EXPECT_EQ(again->memAlarmThreshold(), 95.0);
    EXPECT_EQ(again->tempAlarmThreshold(), 90.0);
    EXPECT_TRUE(again->comfortEnabled());
    EXPECT_EQ(again->comfortTargetC(), 35.0);
    EXPECT_EQ(again->processRowCount(), 6);
    EXPECT_FALSE(again->showCoreStrip());
    EXPECT_FALSE(again->isVisible(PanelModule::Gpu));
    EXPECT_FALSE(again->updateAutoCheck());
    EXPECT_EQ(SkinManager(*reloadedPrefs).skin(), PanelSkin::Vitals);
}

TEST_F(SettingsContentTest, LanguageAndSkinRebuildTheViewAndKeepTheFocus)
{
    auto content = make();
    QComboBox* language = find<QComboBox>(*content, QStringLiteral("settings.language"));
    language->setFocus();
    choose(language, QStringLiteral("de"));
    EXPECT_EQ(L10n::shared().language(), AppLanguage::De);
    deliverQueued();
    EXPECT_EQ(find<QLabel>(*content, QStringLiteral("settings.menubar.netspeed.hint"))->text(),
              L(QStringLiteral("settings.menubar.netspeed.hint")));
    EXPECT_NE(L(QStringLiteral("settings.interval")), QStringLiteral("Refresh interval"));
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), QStringLiteral("settings.language"));

    choose(find<QComboBox>(*content, QStringLiteral("settings.skin")), QStringLiteral("vitals"));
    deliverQueued();
    EXPECT_TRUE(content->style().condensed);
    EXPECT_EQ(find<QComboBox>(*content, QStringLiteral("settings.skin"))->currentData(),
              QStringLiteral("vitals"));
}

TEST_F(SettingsContentTest, IconModeDisablesTheTextOnlyControlsAndSwapsTheHint)
{
    settings.setMenuBarMode(MenuBarMode::Icon);
    auto content = make();
    const auto enabledStates = [&] {
        return QList<bool>{
            find<SettingsSwitch>(*content, QStringLiteral("settings.menubar.showIcon"))
                ->isEnabled(),
            find<QComboBox>(*content, QStringLiteral("settings.menubar.notch"))->isEnabled(),
            find<SettingsCheckBox>(*content, QStringLiteral("settings.menubar.metric.cpu"))
                ->isEnabled(),
            find<SettingsCheckBox>(*content, QStringLiteral("settings.menubar.metric.network"))
                ->isEnabled()};
    };
    const auto shown = [&](const char* name) {
        return find<QLabel>(*content, QLatin1String(name))->isVisibleTo(content.get());
    };
    EXPECT_EQ(enabledStates(), QList<bool>({false, false, false, false}));
    EXPECT_TRUE(shown("settings.menubar.netspeed.hint"));
    EXPECT_FALSE(shown("settings.menubar.composition.hint"));
    EXPECT_FALSE(shown("settings.menubar.notch.hint"));
    EXPECT_NE(find<QComboBox>(*content, QStringLiteral("settings.menubar.notch"))
                  ->parentWidget()
                  ->graphicsEffect(),
              nullptr);

    choose(find<QComboBox>(*content, QStringLiteral("settings.menubar.mode")),
           QStringLiteral("text"));
    EXPECT_EQ(settings.menuBarMode(), MenuBarMode::Text);
    EXPECT_EQ(enabledStates(), QList<bool>({true, true, true, true}));
    EXPECT_FALSE(shown("settings.menubar.netspeed.hint"));
    EXPECT_TRUE(shown("settings.menubar.composition.hint"));
    EXPECT_TRUE(shown("settings.menubar.notch.hint"));
    EXPECT_EQ(find<QComboBox>(*content, QStringLiteral("settings.menubar.notch"))
                  ->parentWidget()
                  ->graphicsEffect(),
              nullptr);
}

TEST_F(SettingsContentTest, UntickingTheOnlyFigureLeavesItTickedAndTickingAddsInOrder)
{
    settings.setMenuBarMode(MenuBarMode::Text);
    settings.setMenuBarMetrics({MenuBarMetric::Memory});
    auto content = make();
    auto* memory =
        find<SettingsCheckBox>(*content, QStringLiteral("settings.menubar.metric.memory"));
    memory->click();
    EXPECT_TRUE(memory->isChecked());
    EXPECT_EQ(settings.menuBarMetrics(), QList<MenuBarMetric>{MenuBarMetric::Memory});

    find<SettingsCheckBox>(*content, QStringLiteral("settings.menubar.metric.cpu"))->click();
    EXPECT_EQ(settings.menuBarMetrics(),
              QList<MenuBarMetric>({MenuBarMetric::Cpu, MenuBarMetric::Memory}));
    memory->click();
    EXPECT_FALSE(memory->isChecked());
    EXPECT_EQ(reloaded()->menuBarMetrics(), QList<MenuBarMetric>{MenuBarMetric::Cpu});
}

TEST_F(SettingsContentTest, FahrenheitRelabelsTheTemperatureChoicesButStoresCelsius)
{
    settings.setComfortEnabled(true);
    auto content = make();
    choose(find<QComboBox>(*content, QStringLiteral("settings.tempunit")),
           QStringLiteral("fahrenheit"));
    EXPECT_EQ(settings.tempUnit(), TempUnit::Fahrenheit);
    QComboBox* target = find<QComboBox>(*content, QStringLiteral("settings.comfort.target"));
    EXPECT_EQ(texts(target), QStringList({"95°F", "100°F", "104°F", "108°F"}));
    EXPECT_EQ(texts(find<QComboBox>(*content, QStringLiteral("settings.alerts.temp"))),
              QStringList({"167°F", "176°F", "185°F", "194°F", "203°F"}));
    EXPECT_EQ(target->currentText(), QStringLiteral("100°F"));
    choose(target, 40.0);
    EXPECT_EQ(settings.comfortTargetC(), 40.0);

    fans.tick(); // surface 36 °C, below the target
    EXPECT_EQ(find<QLabel>(*content, QStringLiteral("settings.comfort.status"))->text(),
              QStringLiteral("Comfortable · surface 97°F"));

    choose(find<QComboBox>(*content, QStringLiteral("settings.tempunit")),
           QStringLiteral("celsius"));
    EXPECT_EQ(texts(target), QStringList({"35°", "38°", "40°", "42°"}));
    EXPECT_EQ(target->currentText(), QStringLiteral("40°"));
}

TEST_F(SettingsContentTest, ComfortStatusLineForEveryControllerState)
{
    using S = FanController::Status;
    const struct {
        S status;
        std::optional<double> surface;
        std::optional<double> rpm;
        const char* expected;
    } cases[] = {
        {S::off, std::nullopt, std::nullopt, "Off · surface \u2014"},
        {S::off, 36.4, 2000.0, "Off · surface 36°"},
        {S::needsApproval, 36.0, std::nullopt, "The fan helper needs approval"},
        {S::active, 41.0, 2349.6, "Cooling · surface 41° · fans 2350 RPM"},
        {S::active, 41.0, std::nullopt, "Cooling · surface 41°"},
        {S::cooling, 37.0, 1800.0, "Comfortable · surface 37° · fans 1800 RPM"},
        {S::cooling, std::nullopt, std::nullopt, "Comfortable · surface \u2014"},
        {S::unavailable, std::nullopt, std::nullopt, "No controllable fans found"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsContent::comfortStatusText(c.status, c.surface, c.rpm, TempUnit::Celsius),
                  QString::fromUtf8(c.expected));
    }
}

TEST_F(SettingsContentTest, TargetPickerIsDimmedWhileComfortCoolingIsOff)
{
    auto content = make();
    QComboBox* target = find<QComboBox>(*content, QStringLiteral("settings.comfort.target"));
    EXPECT_FALSE(target->isEnabled());
    EXPECT_NE(target->parentWidget()->graphicsEffect(), nullptr);
    find<SettingsSwitch>(*content, QStringLiteral("settings.comfort.enable"))->click();
    EXPECT_TRUE(target->isEnabled());
    EXPECT_EQ(target->parentWidget()->graphicsEffect(), nullptr);
}

TEST_F(SettingsContentTest, FanSpeedIsRefreshedWhileShownAndComfortCoolingIsOn)
{
    helper.fans = {FanReading{0, 2312.4, 2300, 1200, 6000, true}};
    auto content = make();
    EXPECT_FALSE(content->fanRefreshTimer().isActive());
    EXPECT_EQ(helper.fanReads, 0);

    find<SettingsSwitch>(*content, QStringLiteral("settings.comfort.enable"))->click();
    const int atOnce = helper.fanReads;
    EXPECT_GE(atOnce, 1);
    EXPECT_TRUE(content->fanRefreshTimer().isActive());
    EXPECT_EQ(content->fanRefreshTimer().interval(), 5000);
    Q_EMIT content->fanRefreshTimer().timeout({});
    EXPECT_EQ(helper.fanReads, atOnce + 1);
    EXPECT_EQ(fans.fanRPM(), 2312.4);
    EXPECT_TRUE(find<QLabel>(*content, QStringLiteral("settings.comfort.status"))
                    ->text()
                    .endsWith(QStringLiteral("fans 2312 RPM")));

    content->hide();
    EXPECT_FALSE(content->fanRefreshTimer().isActive());
    content->show();
    EXPECT_TRUE(content->fanRefreshTimer().isActive());
    find<SettingsSwitch>(*content, QStringLiteral("settings.comfort.enable"))->click();
    EXPECT_FALSE(content->fanRefreshTimer().isActive());
}

TEST_F(SettingsContentTest, ApprovalButtonShowsWhileTheHelperAwaitsApprovalAndRetriesWhenItGoes)
{
    helper.current = FanHelperState::requiresApproval;
    auto content = make();
    QWidget* approve = find<QWidget>(*content, QStringLiteral("settings.comfort.approve.holder"));
    EXPECT_FALSE(approve->isVisibleTo(content.get()));

    find<SettingsSwitch>(*content, QStringLiteral("settings.comfort.enable"))->click();
    EXPECT_EQ(fans.status(), FanController::Status::needsApproval);
    EXPECT_TRUE(approve->isVisibleTo(content.get()));
    EXPECT_TRUE(content->isApprovalShown());

    autostart.opens = true;
    find<SettingsButton>(*content, QStringLiteral("settings.comfort.approve"))->click();

    // The user allowed the helper and closes the view: one retry, which starts cooling.
    helper.current = FanHelperState::enabled;
    const int before = helper.stateRefreshes;
    content->hide();
    EXPECT_EQ(helper.stateRefreshes - before, 2) << "the retry and the start it leads to";
    EXPECT_TRUE(fans.isRunning());
    EXPECT_FALSE(content->isApprovalShown());
    content.reset();
    EXPECT_EQ(helper.stateRefreshes - before, 2) << "no second retry on destruction";
}

TEST_F(SettingsContentTest, LaunchAtLoginFollowsTheRegistrationInItsFourStates)
{
    const struct {
        AutostartStatus status;
        bool on;
        bool approve;
    } cases[] = {{AutostartStatus::Enabled, true, false},
                 {AutostartStatus::NotRegistered, false, false},
                 {AutostartStatus::RequiresApproval, false, true},
                 {AutostartStatus::NotFound, false, false}};
    for (const auto& c : cases) {
        autostart.current = c.status;
        auto content = make(); // showing re-reads the registration
        EXPECT_EQ(
            find<SettingsSwitch>(*content, QStringLiteral("settings.launchAtLogin"))->isChecked(),
            c.on)
            << LaunchAtLogin::statusName(c.status).toStdString();
        EXPECT_EQ(find<SettingsButton>(*content, QStringLiteral("settings.launchAtLogin.approve"))
                      ->isVisibleTo(content.get()),
                  c.approve)
            << LaunchAtLogin::statusName(c.status).toStdString();
    }

    // Turning it on where the desktop asks for approval: the switch shows the real state and
    // the approval button appears.
    autostart.current = AutostartStatus::NotRegistered;
    autostart.afterEnable = AutostartStatus::RequiresApproval;
    auto content = make();
    find<SettingsSwitch>(*content, QStringLiteral("settings.launchAtLogin"))->click();
    EXPECT_EQ(autostart.enableCalls, 1);
    EXPECT_FALSE(
        find<SettingsSwitch>(*content, QStringLiteral("settings.launchAtLogin"))->isChecked());
    EXPECT_TRUE(find<SettingsButton>(*content, QStringLiteral("settings.launchAtLogin.approve"))
                    ->isVisibleTo(content.get()));
}

TEST_F(SettingsContentTest, ManualUpdateCheckShowsItsProgressAndOffersAnUpdate)
{
    HttpReply current = HttpReply::json(R"({"version": "1.2.0", "url": "https://example.org/d"})");
    current.delayMs = 150;
    server.setReplies(
        QStringLiteral("/feed"),
        {current, HttpReply::json(R"({"version": "2.0.1", "url": "https://example.org/d"})")});
    auto content = make();
    EXPECT_EQ(find<QLabel>(*content, QStringLiteral("settings.update.version"))->text(),
              QStringLiteral("Version 1.2.0"));
    auto* checkNow = find<SettingsButton>(*content, QStringLiteral("settings.update.checkNow"));
    QLabel* status = find<QLabel>(*content, QStringLiteral("settings.update.status"));
    EXPECT_TRUE(status->text().isEmpty());

    checkNow->click();
    EXPECT_FALSE(checkNow->isEnabled());
    EXPECT_EQ(status->text(), QStringLiteral("Checking…"));
    ASSERT_TRUE(waitFor([&] { return updates.manualState() != UpdateCheckState::Checking; }));
    EXPECT_TRUE(checkNow->isEnabled());
    EXPECT_EQ(status->text(), QStringLiteral("Corvanite is up to date."));

    checkNow->click();
    ASSERT_TRUE(waitFor([&] { return updates.availableVersion().has_value(); }));
    auto* download = find<SettingsButton>(*content, QStringLiteral("settings.update.download"));
    EXPECT_TRUE(download->isVisibleTo(content.get()));
    EXPECT_FALSE(status->isVisibleTo(content.get()));
    EXPECT_EQ(download->accessibleName(), QStringLiteral("Download version 2.0.1"));
    download->click();
    EXPECT_EQ(downloadPagesOpened, 1);
}

TEST_F(SettingsContentTest, RemovingAPreauthorisedNameRemovesEveryCopy)
{
    auto content = make();
    EXPECT_NE(find<QLabel>(*content, QStringLiteral("settings.preauth.empty")), nullptr);
    settings.setKillWhitelist(
        {QStringLiteral("node"), QStringLiteral("<b>x</b>"), QStringLiteral("node")});
    auto* first = find<SettingsButton>(*content, QStringLiteral("settings.preauth.remove.0"));
    EXPECT_NE(find<SettingsButton>(*content, QStringLiteral("settings.preauth.remove.2")), nullptr);
    first->click();
    deliverQueued();
    EXPECT_EQ(settings.killWhitelist(), QStringList{QStringLiteral("<b>x</b>")});
    EXPECT_EQ(reloaded()->killWhitelist(), QStringList{QStringLiteral("<b>x</b>")});
    EXPECT_EQ(content->findChild<QWidget*>(QStringLiteral("settings.preauth.remove.1")), nullptr);
    find<SettingsButton>(*content, QStringLiteral("settings.preauth.remove.0"))->click();
    deliverQueued();
    EXPECT_TRUE(settings.killWhitelist().isEmpty());
    EXPECT_NE(content->findChild<QLabel*>(QStringLiteral("settings.preauth.empty")), nullptr);
}

TEST_F(SettingsContentTest, TheKeyboardReachesAndWorksTheControls)
{
    auto content = make();
    QComboBox* language = find<QComboBox>(*content, QStringLiteral("settings.language"));
    content->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(content.get()));
    language->setFocus();
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"settings.language", "settings.interval", "settings.tempunit",
                                  "settings.launchAtLogin", "settings.menubar.mode"}))
        << "disabled controls of icon mode are skipped";

    QComboBox* interval = find<QComboBox>(*content, QStringLiteral("settings.interval"));
    interval->setFocus();
    QTest::keyClick(interval, Qt::Key_Down);
    EXPECT_EQ(settings.refreshInterval(), 5.0);

    auto* alerts = find<SettingsSwitch>(*content, QStringLiteral("settings.alerts.enable"));
    alerts->setFocus();
    QTest::keyClick(alerts, Qt::Key_Space);
    EXPECT_TRUE(settings.alertsEnabled());
    QTest::keyClick(alerts, Qt::Key_Return);
    EXPECT_FALSE(settings.alertsEnabled());
}

} // namespace
} // namespace corvanite::test

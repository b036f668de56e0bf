// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/FakeAutostartEntry.h"
#include "tests/support/LoopbackHttpServer.h"

#include "app/base/L10n.h"
#include "app/comfort/FanController.h"
#include "app/comfort/FanHelperApi.h"
#include "app/panel/SkinManager.h"
#include "app/panel/settings/SettingsContent.h"
#include "app/panel/settings/SettingsServices.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "app/settings/UpdateChecker.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace corvanite::test {

// A fan helper whose registration state the test sets; fan readings answer at once.
class ScriptedFanHelper final : public FanHelperApi {
public:
    FanHelperState current = FanHelperState::enabled;
    int stateRefreshes = 0;
    int fanReads = 0;
    QList<FanReading> fans;

    FanHelperState state() const override { return current; }
    void refreshState() override { ++stateRefreshes; }
    bool registerHelper() override { return current == FanHelperState::enabled; }
    void readFans(std::function<void(QList<FanReading>)> reply) override
    {
        ++fanReads;
        reply(fans);
    }
    void setFanFloor(qint64, std::function<void(bool)> reply) override { reply(true); }
    void releaseControl(std::function<void(bool)> reply) override { reply(true); }
};

// A settings view over the real settings store in a temporary preferences file, a real fan
// controller over a scripted helper, a real update checker against a loopback feed, and the
// hooks the store reaches recorded.
class SettingsFixture : public ::testing::Test {
protected:
    SettingsFixture()
    {
        L10n::shared().setLanguage(AppLanguage::En);
        prefs.setValue(QStringLiteral("updateFeedURL"),
                       server.url(QStringLiteral("/feed")).toString());
    }
    ~SettingsFixture() override { L10n::shared().setLanguage(AppLanguage::En); }

    SettingsHooks hooks()
    {
        SettingsHooks h;
        h.setMonitorInterval = [this](double seconds) { monitorIntervals.append(seconds); };
        h.applyEffectiveInterval = [this] { ++effectiveIntervalApplied; };
        h.requestNotificationAuthorization = [this](std::function<void(bool)> answer) {
            ++authorizationRequests;
            answer(true);
        };
        return h;
    }

    FanController::Dependencies fanDependencies()
    {
        FanController::Dependencies d;
        d.client = &helper;
        d.readValue = [this](std::string_view key) -> std::optional<double> {
            const auto it = smcKeys.find(std::string(key));
            if (it == smcKeys.end())
                return std::nullopt;
            return it->second;
        };
        d.surfaceKeys = {QStringLiteral("Ts0P")};
        d.enabled = [this] { return settings.comfortEnabled(); };
        d.setEnabledSetting = [this](bool on) { settings.setComfortEnabled(on); };
        d.targetC = [this] { return settings.comfortTargetC(); };
        d.setTargetSetting = [this](double c) { settings.setComfortTargetC(c); };
        return d;
    }

    SettingsServices services()
    {
        SettingsServices s;
        s.settings = &settings;
        s.l10n = &L10n::shared();
        s.skins = &skins;
        s.launchAtLogin = &launch;
        s.fans = &fans;
        s.updates = &updates;
        return s;
    }

    std::unique_ptr<SettingsContent> make()
    {
        auto content = std::make_unique<SettingsContent>(services());
        content->resize(420, 620);
        content->show();
        return content;
    }

    template <typename T> static T* find(QWidget& root, const QString& name)
    {
        T* found = root.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // A second store over the same file: what a restart would find.
    std::unique_ptr<SettingsManager> reloaded()
    {
        prefs.flush();
        reloadedPrefs = std::make_unique<Preferences>(prefs.filePath());
        return std::make_unique<SettingsManager>(*reloadedPrefs, launch, SettingsHooks{});
    }

    static void deliverQueued() { QCoreApplication::processEvents(); }

    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("preferences.json"))};
    std::unique_ptr<Preferences> reloadedPrefs;
    FakeAutostartEntry autostart;
    LaunchAtLogin launch{autostart};
    QList<double> monitorIntervals;
    int effectiveIntervalApplied = 0;
    int authorizationRequests = 0;
    SettingsManager settings{prefs, launch, hooks()};
    SkinManager skins{prefs};
    ScriptedFanHelper helper;
    std::map<std::string, double> smcKeys{{"Ts0P", 36.0}};
    FanController fans{fanDependencies()};
    LoopbackHttpServer server;
    FakeClock clock;
    int downloadPagesOpened = 0;
    UpdateChecker updates{prefs, clock, [] { return false; },
                          [this](const QUrl&) {
                              ++downloadPagesOpened;
                              return true;
                          },
                          QStringLiteral("1.2.0")};
};

} // namespace corvanite::test

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/FakeAutostartEntry.h"
#include "tests/support/LogWatch.h"
#include "tests/support/ScreenFixtures.h"

#include "app/base/L10n.h"
#include "app/menubar/MenuBarController.h"
#include "app/menubar/StatusArea.h"
#include "app/panel/PanelWindowController.h"
#include "app/panel/SkinManager.h"
#include "app/settings/LaunchAtLogin.h"
#include "app/settings/SettingsManager.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace corvanite::test {

// A status-item controller over real settings, skin and panel objects in a temporary
// preferences file, a plain StatusItem that just holds what it is told, and readings and
// sampling hooks the test sets.
class MenuBarFixture : public ::testing::Test {
protected:
    MenuBarFixture() { L10n::shared().setLanguage(AppLanguage::En); }

    std::unique_ptr<MenuBarController> make(std::unique_ptr<StatusItem> item = {})
    {
        auto owned = item ? std::move(item) : std::make_unique<StatusItem>();
        this->item = owned.get();
        MenuBarController::Dependencies d = dependencies();
        d.item = std::move(owned);
        return std::make_unique<MenuBarController>(std::move(d));
    }

    // A controller whose items come from `area`, made again as it changes.
    std::unique_ptr<MenuBarController> makeFollowing(StatusArea& area)
    {
        MenuBarController::Dependencies d = dependencies();
        d.statusArea = &area;
        auto controller = std::make_unique<MenuBarController>(std::move(d));
        item = &controller->statusItem();
        QObject::connect(controller.get(), &MenuBarController::statusItemChanged, controller.get(),
                         [this, c = controller.get()] { item = &c->statusItem(); });
        return controller;
    }

    MenuBarController::Dependencies dependencies()
    {
        MenuBarController::Dependencies d;
        d.settings = &settings;
        d.sampling.readings = [this] {
            ++readingsAsked;
            return readings;
        };
        d.sampling.setOnTick = [this](std::function<void()> onTick) { tick = std::move(onTick); };
        d.sampling.start = [this](double interval) { startedWith.append(interval); };
        d.skins = &skins;
        d.panel = &panel;
        d.l10n = &L10n::shared();
        d.availableVersion = [this] { return availableVersion; };
        d.openDownloadPage = [this] { ++downloadPagesOpened; };
        d.openSettings = [this] { ++settingsOpened; };
        d.quit = [this] { ++quitRequests; };
        d.screen = [this] { return screen; };
        return d;
    }

    static void deliverQueued() { QCoreApplication::processEvents(); }

    QTemporaryDir dir;
    Preferences prefs{dir.filePath(QStringLiteral("preferences.json"))};
    FakeAutostartEntry autostart;
    LaunchAtLogin launch{autostart};
    SettingsManager settings{prefs, launch, SettingsHooks{}};
    SkinManager skins{prefs};
    FakeClock clock;
    QList<bool> publishingPaused;
    PanelWindowController panel{clock, [this](bool paused) { publishingPaused.append(paused); }};

    StatusItem* item = nullptr;
    MenuBarReadings readings{23, 61, 1.2e6, 45e3};
    std::optional<ScreenFacts> screen;
    std::optional<QString> availableVersion;
    std::function<void()> tick;
    QList<double> startedWith;
    int downloadPagesOpened = 0;
    int settingsOpened = 0;
    int quitRequests = 0;
    int readingsAsked = 0;
    LogWatch log;
};

} // namespace corvanite::test

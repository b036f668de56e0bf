// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/MenuBarLayout.h"
#include "app/menubar/StatusItem.h"
#include "app/menubar/StatusItemFactory.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace corvanite {

class L10n;
class PanelWindowController;
class SettingsManager;
class SkinManager;
class StatusArea;

// The latest readings the status text is made of.
struct MenuBarReadings {
    double cpu = 0;    // percent of the whole machine
    double memPct = 0; // percent of physical memory in use
    double downBps = 0;
    double upBps = 0;
};

// The sampling engine as the status item uses it.
struct MenuBarSampling {
    std::function<MenuBarReadings()> readings;
    std::function<void(std::function<void()>)> setOnTick;
    std::function<void(double)> start;
};

// Owns the application's status item: shows the live status text or the drawn icon, toggles
// the panel on a primary click, pops the settings menu on a context click and keeps the text
// current on every sampling tick and every relevant settings change.
//
// The item follows the desktop: when a status area appears, goes or changes kind during the
// session, the item is made again for it. While there is none, the panel stands in as an
// ordinary window, and closing that window quits.
class MenuBarController : public QObject {
    Q_OBJECT
public:
    struct Dependencies {
        // A fixed item; or else items made by `statusArea` as the desktop changes.
        std::unique_ptr<StatusItem> item;
        StatusArea* statusArea = nullptr;
        SettingsManager* settings = nullptr;
        MenuBarSampling sampling;
        SkinManager* skins = nullptr;
        PanelWindowController* panel = nullptr;
        L10n* l10n = nullptr;
        std::function<std::optional<QString>()> availableVersion;
        std::function<void()> openDownloadPage;
        std::function<void()> openSettings;
        std::function<void()> quit;
        // The screen the item is on; empty uses the item's screen, else the primary one.
        std::function<std::optional<ScreenFacts>()> screen;
        // Shows the first-run tip at the item's rectangle (or the stand-in window; none when
        // neither is known). Called once, kFirstRunTipDelayMs after setup.
        std::function<void(std::optional<QRect> anchor)> showFirstRunTip;
        // Starts the threshold alerts; a click on an alert runs the panel opener it is given.
        std::function<void(std::function<void()> openPanel)> startAlerts;
    };

    // settings, sampling, skins and panel are required. Without an item and a status area, the
    // session's own status area is followed (StatusNotifierItem, XEmbed tray or none); the
    // other members may be left empty.
    explicit MenuBarController(Dependencies dependencies);
    ~MenuBarController() override;

    static constexpr int kFirstRunTipDelayMs = 1200;

    void setup();
    void applyMenuBarStyle();
    void updateStatusText();
    // The context menu, built afresh for every opening; the caller owns it.
    std::unique_ptr<QMenu> buildMenu();
    void logStatusItemPosition();
    // Where the first-run tip points: the item, else the stand-in window, else not known.
    std::optional<QRect> tipAnchor() const;

    // Menu actions. Values that do not parse are ignored.
    void setMenuBarStyle(const QVariant& raw);
    void toggleNetSpeed();
    void setNotchMode(const QVariant& raw);
    void setSkin(const QVariant& raw);
    void setInterval(const QVariant& seconds);
    void openDownloadPage();
    void openSettings();
    void quitApp();

    // Clicks on the item: toggle the panel there / pop the menu there.
    void statusItemClicked(QPoint at);
    void statusItemContextClicked(QPoint at);

    // Opens the panel at the item, or at the pointer where the item's place is not known.
    void openPanelAtItem();

    // Shows the settings window; until one is wired in, the settings item only logs.
    void setOpenSettings(std::function<void()> openSettings);

    StatusItem& statusItem() const { return *m_item; }
    bool lastCompact() const { return m_lastCompact; }
    // The text the item currently shows beside or instead of its icon ("" in icon mode).
    QString statusTitle() const { return m_item->label(); }

    // The guide string: the widest status text expected with these metrics.
    static QString labelGuide(const QList<MenuBarMetric>& metrics, bool compact);

Q_SIGNALS:
    // The item was made again for a changed status area; statusItem() is the new one.
    void statusItemChanged();

private:
    void installItem();
    void followStatusArea();
    std::optional<ScreenFacts> currentScreen() const;
    QRect anchorAt(QPoint at) const;
    void subscribe();
    void refreshTexts();

    std::unique_ptr<StatusArea> m_ownedArea;
    StatusArea* m_area = nullptr;
    StatusItemKind m_kind = StatusItemKind::None;
    std::unique_ptr<StatusItem> m_item;
    SettingsManager& m_settings;
    MenuBarSampling m_sampling;
    SkinManager& m_skins;
    PanelWindowController& m_panel;
    L10n& m_l10n;
    std::function<std::optional<QString>()> m_availableVersion;
    std::function<void()> m_openDownloadPage;
    std::function<void()> m_openSettings;
    std::function<void()> m_quit;
    std::function<std::optional<ScreenFacts>()> m_screen;
    std::function<void(std::function<void()>)> m_startAlerts;
    std::function<void(std::optional<QRect>)> m_showFirstRunTip;

    QIcon m_icon;
    bool m_lastCompact = false;
    bool m_setUp = false;
    bool m_applyingMenuBarStyle = false;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menubar/MenuBarController.h"

#include "app/base/L10n.h"
#include "app/base/Log.h"
#include "app/menubar/DesktopStatusArea.h"
#include "app/menubar/MenuBarMenu.h"
#include "app/menubar/StatusIcon.h"
#include "app/panel/PanelWindowController.h"
#include "app/panel/SkinManager.h"
#include "app/settings/SettingsManager.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace corvanite {

namespace {

constexpr int kPositionLogDelayMs = 2000;

QString yesNo(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// The platform's rectangle text form: {{x, y}, {w, h}}.
QString rectText(const QRectF& rect)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

MenuBarController::MenuBarController(Dependencies d)
    : m_area(d.statusArea)
    , m_item(std::move(d.item))
    , m_settings(*d.settings)
    , m_sampling(std::move(d.sampling))
    , m_skins(*d.skins)
    , m_panel(*d.panel)
    , m_l10n(d.l10n ? *d.l10n : L10n::shared())
    , m_availableVersion(d.availableVersion ? std::move(d.availableVersion)
                                            : [] { return std::optional<QString>(); })
    , m_openDownloadPage(d.openDownloadPage ? std::move(d.openDownloadPage) : [] {})
    , m_openSettings(std::move(d.openSettings))
    , m_quit(d.quit ? std::move(d.quit) : [] { QCoreApplication::quit(); })
    , m_screen(std::move(d.screen))
    , m_startAlerts(std::move(d.startAlerts))
    , m_showFirstRunTip(std::move(d.showFirstRunTip))
    , m_icon(statusIconSet(L(QStringLiteral("menu.title"))))
{
    if (!m_item) {
        if (!m_area) {
            m_ownedArea = std::make_unique<DesktopStatusArea>(QDBusConnection::sessionBus());
            m_area = m_ownedArea.get();
        }
        m_kind = m_area->kind();
        m_item = m_area->makeItem(m_kind);
    }
    connect(&m_panel, &PanelWindowController::windowClosedByUser, this,
            &MenuBarController::quitApp);
}

MenuBarController::~MenuBarController()
{
    // The item goes before the area that made it.
    m_item.reset();
}

void MenuBarController::installItem()
{
    if (m_item->hasButton()) {
        Log::debug(QStringLiteral("Status item button created: ") + yesNo(m_item->isVisible()));
        connect(m_item.get(), &StatusItem::activateRequested, this,
                &MenuBarController::statusItemClicked);
        connect(m_item.get(), &StatusItem::contextMenuRequested, this,
                &MenuBarController::statusItemContextClicked);
        m_item->setMenuSource([self = QPointer<MenuBarController>(this)] {
            return self ? self->buildMenu() : std::unique_ptr<QMenu>();
        });
        m_item->setTitle(L(QStringLiteral("menu.title")));
        m_item->setToolTip(L(QStringLiteral("menu.tooltip")));
        applyMenuBarStyle();
        // The stand-in window has done its job once the desktop shows the item.
        if (m_panel.isWindowed())
            m_panel.close();
    } else {
        Log::debug(QStringLiteral("⚠ Status item button is nil"));
        // Nowhere to click: the panel opens as an ordinary window, so the app can be used and
        // quit.
        m_panel.showAsWindow();
    }
}

void MenuBarController::followStatusArea()
{
    const StatusItemKind kind = m_area->kind();
    if (kind == m_kind)
        return;
    Log::debug(QStringLiteral("Status area changed; making the status item again"));
    m_kind = kind;
    m_item.reset();
    m_item = m_area->makeItem(kind);
    installItem();
    updateStatusText();
    Q_EMIT statusItemChanged();
}

void MenuBarController::setup()
{
    if (m_setUp)
        return;
    m_setUp = true;
    Log::debug(QStringLiteral("setup() started"));
    installItem();
    if (m_area)
        connect(m_area, &StatusArea::changed, this, &MenuBarController::followStatusArea,
                Qt::QueuedConnection);

    QTimer::singleShot(kPositionLogDelayMs, this, &MenuBarController::logStatusItemPosition);

    m_sampling.setOnTick([controller = QPointer<MenuBarController>(this)] {
        if (controller)
            controller->updateStatusText();
    });
    m_sampling.start(m_settings.refreshInterval());

    updateStatusText();
    Log::debug(QStringLiteral("setup() completed; menu bar text: ") +
               (m_item->hasButton() ? statusTitle() : QStringLiteral("nil")));

    subscribe();

    // Memory-pressure watch: PressureMonitor::shared().start() joins here with its component.
    if (m_startAlerts) {
        m_startAlerts([controller = QPointer<MenuBarController>(this)] {
            if (controller)
                controller->openPanelAtItem();
        });
    }
    if (m_showFirstRunTip) {
        QTimer::singleShot(kFirstRunTipDelayMs, this, [this] { m_showFirstRunTip(tipAnchor()); });
    }
}

void MenuBarController::subscribe()
{
    // Queued: changes arrive from the event loop, like every other main-thread delivery, and a
    // connection made now never fires for the value already current.
    const auto queued = Qt::QueuedConnection;
    connect(&m_settings, &SettingsManager::menuBarModeChanged, this,
            &MenuBarController::applyMenuBarStyle, queued);
    connect(&m_settings, &SettingsManager::showNetSpeedChanged, this,
            &MenuBarController::updateStatusText, queued);
    connect(&m_settings, &SettingsManager::menuBarMetricsChanged, this,
            &MenuBarController::applyMenuBarStyle, queued);
    connect(&m_settings, &SettingsManager::menuBarShowIconChanged, this,
            &MenuBarController::applyMenuBarStyle, queued);
    connect(&m_settings, &SettingsManager::notchModeChanged, this,
            &MenuBarController::applyMenuBarStyle, queued);
    connect(&m_l10n, &L10n::languageChanged, this, &MenuBarController::refreshTexts, queued);
}

void MenuBarController::refreshTexts()
{
    m_item->setToolTip(L(QStringLiteral("menu.tooltip")));
    m_item->setTitle(L(QStringLiteral("menu.title")));
    const bool iconShown = !m_item->icon().isNull();
    m_icon = statusIconSet(L(QStringLiteral("menu.title")));
    if (iconShown)
        m_item->setIcon(m_icon);
    updateStatusText();
}

std::optional<ScreenFacts> MenuBarController::currentScreen() const
{
    if (m_screen)
        return m_screen();
    // Not the item's own screen: asking a tray for the item's place is a round trip to the
    // display on every tick, and no Linux screen has a camera housing to be compact for.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return screenFacts(*screen);
}

void MenuBarController::applyMenuBarStyle()
{
    if (!m_item->hasButton())
        return;
    m_applyingMenuBarStyle = true;
    const bool textMode = m_settings.menuBarMode() == MenuBarMode::Text;
    const bool compact =
        textMode && MenuBarLayout::isCompact(m_settings.notchMode(), currentScreen());
    m_lastCompact = compact;

    if (textMode) {
        const bool iconShown = m_settings.menuBarShowIcon() && !compact;
        m_item->setIcon(iconShown ? m_icon : QIcon());
        // Compact text uses the fixed-digit face, so figures do not shift as they change.
        m_item->setFixedDigits(compact);
        updateStatusText();
        Log::debug(QStringLiteral("Menu bar mode: text compact=") + yesNo(compact) +
                   QStringLiteral(" icon=") + yesNo(iconShown));
    } else {
        m_item->setStatusText(QString(), QString(), {});
        m_item->setFixedDigits(false);
        m_item->setIcon(m_icon);
        const QRect bounds = m_item->geometry().value_or(QRect());
        Log::debug(QStringLiteral("Menu bar mode: icon only; button=") +
                   rectText(QRectF(QPointF(0, 0), bounds.size())) +
                   QStringLiteral(" image=(%1, %2)")
                       .arg(kStatusIconWidth, 0, 'f', 1)
                       .arg(kStatusIconHeight, 0, 'f', 1));
    }
    m_applyingMenuBarStyle = false;
}

QString MenuBarController::labelGuide(const QList<MenuBarMetric>& metrics, bool compact)
{
    return MenuBarLayout::statusText(100, 100, 888.8e6, 888.8e6, metrics, compact);
}

void MenuBarController::updateStatusText()
{
    if (!m_item->hasButton() || m_settings.menuBarMode() != MenuBarMode::Text)
        return;
    const bool compact = MenuBarLayout::isCompact(m_settings.notchMode(), currentScreen());
    if (!m_applyingMenuBarStyle && compact != m_lastCompact) {
        applyMenuBarStyle();
        return;
    }
    const MenuBarReadings r = m_sampling.readings();
    const QList<MenuBarMetric> metrics = m_settings.menuBarMetrics();
    m_item->setStatusText(
        MenuBarLayout::statusText(r.cpu, r.memPct, r.downBps, r.upBps, metrics, compact),
        labelGuide(metrics, compact),
        MenuBarLayout::compactColumns(r.cpu, r.memPct, r.downBps, r.upBps, metrics));
}

std::unique_ptr<QMenu> MenuBarController::buildMenu()
{
    MenuBarMenuState state;
    state.mode = m_settings.menuBarMode();
    state.metrics = m_settings.menuBarMetrics();
    state.notchMode = m_settings.notchMode();
    state.skin = m_skins.skin();
    state.refreshInterval = m_settings.refreshInterval();
    state.availableVersion = m_availableVersion();

    // The menu may outlive a closing controller for a moment; its items then do nothing.
    const QPointer<MenuBarController> self(this);
    const auto with = [self](void (MenuBarController::*action)(const QVariant&)) {
        return [self, action](const QVariant& value) {
            if (self)
                (self->*action)(value);
        };
    };
    const auto plain = [self](void (MenuBarController::*action)()) {
        return [self, action] {
            if (self)
                (self->*action)();
        };
    };
    MenuBarMenuActions actions;
    actions.setMenuBarStyle = with(&MenuBarController::setMenuBarStyle);
    actions.toggleNetSpeed = plain(&MenuBarController::toggleNetSpeed);
    actions.setNotchMode = with(&MenuBarController::setNotchMode);
    actions.setSkin = with(&MenuBarController::setSkin);
    actions.setInterval = with(&MenuBarController::setInterval);
    actions.openDownloadPage = plain(&MenuBarController::openDownloadPage);
    actions.openSettings = plain(&MenuBarController::openSettings);
    actions.quitApp = plain(&MenuBarController::quitApp);
    return MenuBarMenu::build(state, actions);
}

QRect MenuBarController::anchorAt(QPoint at) const
{
    // The tray knows the item's rectangle; a StatusNotifierItem host only tells the click point.
    if (const auto geometry = m_item->geometry())
        return *geometry;
    return QRect(at, QSize(1, 1));
}

void MenuBarController::openPanelAtItem()
{
    m_panel.show(anchorAt(QCursor::pos()));
}

void MenuBarController::statusItemClicked(QPoint at)
{
    m_panel.toggle(anchorAt(at));
}

void MenuBarController::statusItemContextClicked(QPoint at)
{
    QMenu* menu = buildMenu().release();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(at);
}

std::optional<QRect> MenuBarController::tipAnchor() const
{
    if (m_item->hasButton()) {
        if (const auto geometry = m_item->geometry())
            return geometry;
    }
    if (m_panel.isWindowed() && m_panel.panel()) {
        // The stand-in window's top edge, where its header and settings gear are.
        const QRect frame = m_panel.panel()->frameGeometry();
        return QRect(frame.center().x(), frame.top() + 24, 1, 1);
    }
    return std::nullopt;
}

void MenuBarController::logStatusItemPosition()
{
    if (!m_item->hasButton()) {
        Log::debug(QStringLiteral("⚠ Status item button is nil"));
        return;
    }
    const auto frame = m_item->geometry();
    if (!frame) {
        Log::debug(QStringLiteral("⚠ Status item button has no window"));
        return;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double screenWidth = primary ? primary->geometry().width() : 0.0;
    Log::debug(QStringLiteral("Status item window frame=") + rectText(*frame) +
               QStringLiteral(" screenWidth=") + QString::number(screenWidth, 'f', 1) +
               QStringLiteral(" isVisible=") + yesNo(m_item->isVisible()));
}

void MenuBarController::setMenuBarStyle(const QVariant& raw)
{
    const auto mode = menuBarModeFromRaw(raw.toString());
    if (!mode)
        return;
    m_settings.setMenuBarMode(*mode);
    applyMenuBarStyle();
}

void MenuBarController::toggleNetSpeed()
{
    // Flip what the tick shows, so the click always does what the user sees.
    m_settings.setShowNetSpeed(!m_settings.menuBarMetrics().contains(MenuBarMetric::Network));
    updateStatusText();
}

void MenuBarController::setNotchMode(const QVariant& raw)
{
    const auto mode = notchModeFromRaw(raw.toString());
    if (!mode)
        return;
    m_settings.setNotchMode(*mode);
    applyMenuBarStyle();
}

void MenuBarController::setSkin(const QVariant& raw)
{
    const auto skin = panelSkinFromRaw(raw.toString());
    if (!skin)
        return;
    m_skins.setSkin(*skin);
    Log::debug(QStringLiteral("Panel skin changed: ") + rawValue(*skin));
}

void MenuBarController::setInterval(const QVariant& seconds)
{
    switch (seconds.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        break;
    default:
        return;
    }
    const double value = seconds.toDouble();
    if (!std::isfinite(value) || value <= 0)
        return;
    m_settings.setRefreshInterval(value);
}

void MenuBarController::openDownloadPage()
{
    m_openDownloadPage();
}

void MenuBarController::openSettings()
{
    if (m_openSettings) {
        m_openSettings();
        return;
    }
    Log::debug(QStringLiteral("⚠ Settings requested, but no settings window is available"));
}

void MenuBarController::setOpenSettings(std::function<void()> openSettings)
{
    m_openSettings = std::move(openSettings);
}

void MenuBarController::quitApp()
{
    m_quit();
}

} // namespace corvanite

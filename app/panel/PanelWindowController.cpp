#include "app/panel/PanelWindowController.h"

#include "app/base/Log.h"
#include "app/panel/KeyablePanel.h"
#include "platform/Clock.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace corvanite {

PanelWindowController::PanelWindowController(const Clock& clock,
                                             std::function<void(bool)> setPublishingPaused,
                                             QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_setPublishingPaused(std::move(setPublishingPaused))
{
}

PanelWindowController::~PanelWindowController()
{
    delete m_panel.data();
}

QWidget* PanelWindowController::panel() const
{
    return m_panel.data();
}

bool PanelWindowController::isShown() const
{
    return m_panel && m_panel->isVisible();
}

void PanelWindowController::toggle(const QRect& anchor)
{
    if (isShown()) {
        close();
        return;
    }
    if (m_clock.now() - m_lastCloseAt > kReopenGuard)
        show(anchor);
}

PanelWindowController::Placement
PanelWindowController::place(const QRect& anchor, const std::optional<QRect>& usableArea)
{
    const int centre = anchor.x() + anchor.width() / 2;
    int x = centre - kWidth / 2;
    int y = anchor.y() + anchor.height();
    bool above = false;
    if (usableArea) {
        x = std::max(x, usableArea->x() + kScreenMargin);
        x = std::min(x, usableArea->x() + usableArea->width() - kWidth - kScreenMargin);
        const int bottom = usableArea->y() + usableArea->height();
        if (y + kHeight > bottom && anchor.y() - kHeight >= usableArea->y()) {
            y = anchor.y() - kHeight;
            above = true;
        }
    }
    return {QPoint(x, y), centre - x, above};
}

void PanelWindowController::createPanel()
{
    // The skins' content is a later addition; until then the panel is an empty card.
    m_panel = new KeyablePanel();
    m_panel->resize(kWidth, kHeight);
    connect(m_panel, &KeyablePanel::cancelled, this, &PanelWindowController::close);
    connect(m_panel, &KeyablePanel::focusLost, this, [this] {
        if (!m_dialogHold)
            close();
    });
}

void PanelWindowController::show(const QRect& anchor)
{
    if (!m_panel)
        createPanel();
    if (anchor.isValid()) {
        const QScreen* screen = QGuiApplication::screenAt(anchor.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const Placement placement = place(
            anchor, screen ? std::optional<QRect>(screen->availableGeometry()) : std::nullopt);
        m_panel->move(placement.origin);
        Q_EMIT arrowXChanged(placement.arrowX);
    }
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    m_setPublishingPaused(false);
    Log::debug(QStringLiteral("Panel opened"));
}

void PanelWindowController::close()
{
    if (m_panel) {
        Log::debug(QStringLiteral("Panel closed"));
        KeyablePanel* panel = m_panel.data();
        m_panel.clear();
        panel->disconnect(this);
        panel->hide();
        panel->deleteLater();
    }
    m_lastCloseAt = m_clock.now();
    m_setPublishingPaused(true);
    // The panel faces join here: PanelFlipState::shared().reset() turns the front face up again.
}

} // namespace corvanite

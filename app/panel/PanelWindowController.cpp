// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panel/PanelWindowController.h"

#include "app/base/Log.h"
#include "app/panel/KeyablePanel.h"
#include "app/panel/PanelAnchor.h"
#include "app/panel/PanelFlipState.h"
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

bool PanelWindowController::isWindowed() const
{
    return m_panel && m_panel->presentation() == KeyablePanel::Presentation::Window;
}

void PanelWindowController::toggle(const QRect& anchor)
{
    if (isWindowed()) {
        show(anchor);
        return;
    }
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
        const int top = usableArea->y();
        const int bottom = usableArea->y() + usableArea->height();
        const int anchorTop = std::min(anchor.y(), bottom);
        if (y + kHeight > bottom && anchorTop - kHeight >= top) {
            y = anchorTop - kHeight;
            above = true;
        } else {
            y = std::max(y, top);
        }
    }
    return {QPoint(x, y), centre - x, above};
}

void PanelWindowController::createPanel(bool windowed)
{
    m_panel = new KeyablePanel(windowed ? KeyablePanel::Presentation::Window
                                        : KeyablePanel::Presentation::Popup);
    m_panel->resize(kWidth, kHeight);
    if (m_contentFactory)
        m_panel->setContent(m_contentFactory(windowed));
    if (windowed) {
        connect(m_panel, &KeyablePanel::windowClosed, this, [this] {
            close();
            Q_EMIT windowClosedByUser();
        });
        return;
    }
    connect(m_panel, &KeyablePanel::cancelled, this, &PanelWindowController::close);
    connect(m_panel, &KeyablePanel::focusLost, this, [this] {
        if (!m_dialogHold)
            close();
    });
}

void PanelWindowController::showAsWindow()
{
    if (m_panel && !isWindowed())
        close();
    if (!m_panel)
        createPanel(true);
    opened();
}

void PanelWindowController::opened()
{
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    m_setPublishingPaused(false);
    Log::debug(isWindowed() ? QStringLiteral("Panel opened as a window")
                            : QStringLiteral("Panel opened"));
}

void PanelWindowController::show(const QRect& anchor)
{
    if (isWindowed()) {
        opened();
        return;
    }
    if (!m_panel)
        createPanel(false);
    if (anchor.isValid()) {
        const QScreen* screen = QGuiApplication::screenAt(anchor.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const Placement placement = place(
            anchor, screen ? std::optional<QRect>(screen->availableGeometry()) : std::nullopt);
        m_panel->move(placement.origin);
        if (m_anchor) {
            m_anchor->setArrowX(placement.arrowX);
            m_anchor->setPointsUp(!placement.above);
        }
        Q_EMIT arrowXChanged(placement.arrowX);
    }
    opened();
}

void PanelWindowController::close()
{
    // The reopen guard is for a click that took focus from the popup; the stand-in window
    // closing (for an item that just appeared) must not swallow that item's first click.
    const bool windowed = isWindowed();
    if (m_panel) {
        Log::debug(QStringLiteral("Panel closed"));
        KeyablePanel* panel = m_panel.data();
        m_panel.clear();
        panel->disconnect(this);
        panel->hide();
        panel->deleteLater();
    }
    if (!windowed)
        m_lastCloseAt = m_clock.now();
    m_setPublishingPaused(true);
    m_dialogHold = false;
    if (m_flip)
        m_flip->reset();
}

void PanelWindowController::setFaces(PanelAnchor* anchor, PanelFlipState* flip)
{
    m_anchor = anchor;
    m_flip = flip;
}

} // namespace corvanite

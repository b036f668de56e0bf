// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <functional>
#include <optional>

namespace corvanite {

class Clock;
class KeyablePanel;
class PanelAnchor;
class PanelFlipState;

// Opens and closes the drop-down panel under the status item. Opening lets the sampling engine
// publish the panel's readings again; closing stops that and drops the window, so every opening
// starts with fresh view state.
class PanelWindowController : public QObject {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 668; // 660 of card plus the 8 of the arrow
    static constexpr int kScreenMargin = 8;
    // A click on the item that takes focus from the open panel closes it first; the same click
    // then arrives as a toggle and must not reopen it.
    static constexpr double kReopenGuard = 0.25;

    PanelWindowController(const Clock& clock, std::function<void(bool)> setPublishingPaused,
                          QObject* parent = nullptr);
    ~PanelWindowController() override;
    static PanelWindowController& shared();

    // `anchor` is the status item's rectangle on screen, or the point the host reported.
    void toggle(const QRect& anchor);
    void toggle(QPoint anchor) { toggle(QRect(anchor, QSize(1, 1))); }
    void show(const QRect& anchor);
    void show(QPoint anchor) { show(QRect(anchor, QSize(1, 1))); }
    void close();
    bool isShown() const;

    // Opens the panel as an ordinary window, for a desktop without a status area: it stays open
    // when it loses focus or on Escape, and when the user closes it windowClosedByUser follows.
    void showAsWindow();
    bool isWindowed() const;

    // While true, losing focus (to a confirmation dialog) leaves the panel open.
    bool dialogHold() const { return m_dialogHold; }
    void setDialogHold(bool hold) { m_dialogHold = hold; }

    // Builds the skins' content for a new panel; without one the panel is an empty card.
    using ContentFactory = std::function<QWidget*(bool windowed)>;
    void setContentFactory(ContentFactory factory) { m_contentFactory = std::move(factory); }
    // The arrow position and the face that is up, which every opening and close sets.
    void setFaces(PanelAnchor* anchor, PanelFlipState* flip);

    double lastCloseAt() const { return m_lastCloseAt; }
    QWidget* panel() const;

    struct Placement {
        QPoint origin;
        int arrowX = 0;     // arrow tip from the panel's left edge
        bool above = false; // opened upwards, for an item at the bottom of the screen
    };
    // Centred under the anchor, kept 8 px inside the screen's usable area; when there is no
    // room below (a panel at the bottom edge) the panel opens above the anchor instead. Never
    // over the area the desktop's own panels reserve: a host that reports only its click point
    // inside its panel still gets the card below (or above) that panel.
    static Placement place(const QRect& anchor, const std::optional<QRect>& usableArea);

Q_SIGNALS:
    void arrowXChanged(int arrowX);
    void windowClosedByUser();

private:
    void createPanel(bool windowed);
    void opened();

    const Clock& m_clock;
    std::function<void(bool)> m_setPublishingPaused;
    QPointer<KeyablePanel> m_panel;
    double m_lastCloseAt = 0;
    bool m_dialogHold = false;
    ContentFactory m_contentFactory;
    PanelAnchor* m_anchor = nullptr;
    PanelFlipState* m_flip = nullptr;
};

} // namespace corvanite

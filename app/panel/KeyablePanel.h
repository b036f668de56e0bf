// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvanite {

// The panel's window. As a popup: frameless, above other windows, out of the task bar and
// window cycling, able to take keyboard focus. As a window (where the desktop has no status
// area to hang it from): an ordinary, movable window titled "Corvanite". It reports losing
// focus, the Escape key and the user closing the window; its owner decides what follows.
class KeyablePanel : public QWidget {
    Q_OBJECT
public:
    enum class Presentation { Popup, Window };

    explicit KeyablePanel(Presentation presentation = Presentation::Popup,
                          QWidget* parent = nullptr);

    Presentation presentation() const { return m_presentation; }
    // The skins' content, filling the window; it draws the card itself.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }

Q_SIGNALS:
    void focusLost();
    void cancelled();
    // The user closed the window (its title bar's close button or the window manager).
    void windowClosed();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Presentation m_presentation;
    QWidget* m_content = nullptr;
};

} // namespace corvanite

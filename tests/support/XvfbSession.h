// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace corvanite::test {

// A private X display (Xvfb) for end-to-end tests, optionally with Debian's XEmbed tray host
// `trayer` docked at its top edge, and the X tools to look at it and click on it. Everything it
// starts stops when it goes.
class XvfbSession {
public:
    explicit XvfbSession(QSize screen = {1024, 768});
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    // The programs these tests need that are not installed (empty when all are there).
    static QStringList missingTools();

    bool isRunning() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }
    QString error() const { return m_error; }

    // Starts trayer at the top edge, right-aligned, `height` pixels high, and waits until it
    // owns the tray selection and shows its panel.
    bool startTray(int height = 24);
    // Ends the tray, as a desktop panel that quits or crashes would.
    void stopTray();

    // This process's environment with DISPLAY pointing here, for child programs.
    QProcessEnvironment environment() const;

    // Runs an X tool on the display and returns its standard output; nothing when it failed.
    std::optional<QString> run(const QString& program, const QStringList& arguments,
                               int timeoutMs = 10000) const;

    // The whole screen, as ImageMagick's import sees it.
    QImage screenshot() const;

    // Visible windows whose WM_CLASS matches `className`.
    QStringList visibleWindows(const QString& className) const;
    // A window's rectangle on the root window and whether it bypasses the window manager
    // (menus and tooltips do).
    struct WindowInfo {
        QRect geometry;
        bool overrideRedirect = false;
    };
    std::optional<WindowInfo> windowInfo(const QString& windowId) const;

    // Moves the pointer to a root-window point and clicks `button` (1 left, 3 right).
    bool click(QPoint at, int button) const;

private:
    QProcess m_xvfb;
    QProcess m_tray;
    QString m_display;
    QString m_error;
};

} // namespace corvanite::test

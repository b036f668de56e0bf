// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/StatusItem.h"

#include <QPointer>

#include <memory>

class QSystemTrayIcon;
class QWidget;

namespace corvanite {

// The item in an XEmbed system tray (QSystemTrayIcon), for desktops without a
// StatusNotifierWatcher. Such trays show only an image, so in text mode the status text is
// drawn into it: on one line, when the tray gives the icon window the width it asks for (the
// XEmbed socket follows the window's minimum size), otherwise as the compact columns that still
// read in a square slot. The width asked for follows the label guide, so the item keeps its
// width while the figures change.
class TrayStatusItem : public StatusItem {
    Q_OBJECT
public:
    explicit TrayStatusItem(QObject* parent = nullptr);
    ~TrayStatusItem() override;

    std::optional<QRect> geometry() const override;

    // The image currently handed to the tray, for inspection.
    QImage currentImage() const { return *m_shown; }

protected:
    void changed(Aspect aspect) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();
    int slotHeight() const;

    QSystemTrayIcon* m_tray = nullptr;
    // Qt's own window for the tray icon; found by its object name right after show().
    QPointer<QWidget> m_window;
    int m_requestedWidth = 0;
    std::shared_ptr<QImage> m_shown;
    QIcon m_trayIcon;
};

} // namespace corvanite

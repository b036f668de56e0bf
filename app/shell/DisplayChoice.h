// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace corvanite {

// Which Qt platform the application runs on, decided from what the session offers.
struct DisplayChoice {
    enum class Kind { Headless, AsConfigured, X11, Wayland };
    Kind kind = Kind::Headless;
    QString reason; // one plain sentence for the log

    // What the session offers. `qpaPlatform` is QT_QPA_PLATFORM as the user set it.
    struct Session {
        QString qpaPlatform;
        bool waylandReachable = false;
        bool x11Reachable = false;
    };

    // The panel opens under its status item, which needs a client that can place its own
    // windows: on a Wayland session with XWayland the X11 platform is preferred.
    static DisplayChoice decide(const Session& session);
    // The session of this process, probed by connecting to the displays its environment names.
    static Session probeEnvironment();

    bool isHeadless() const { return kind == Kind::Headless; }
    // The QT_QPA_PLATFORM value to set before the application object exists; empty for none.
    QString platformToSet() const;
};

} // namespace corvanite

// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FrontmostApplication.h"

#include <xcb/xcb.h>

namespace corvanite {

// The frontmost application on X11, from the window manager's EWMH hints: the root window's
// _NET_ACTIVE_WINDOW and that window's _NET_WM_PID. Activation asks the window manager with a
// _NET_ACTIVE_WINDOW client message. The connection belongs to the caller (Qt's own, normally).
class X11FrontmostApplication final : public FrontmostApplication {
public:
    X11FrontmostApplication(xcb_connection_t* connection, xcb_window_t root);

    std::optional<FrontmostWindow> frontmost() override;
    void activate(const FrontmostWindow& window) override;

private:
    xcb_atom_t atom(const char* name, xcb_atom_t& cached);
    std::optional<quint32> cardinal(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    xcb_atom_t m_activeWindow = XCB_ATOM_NONE;
    xcb_atom_t m_wmPid = XCB_ATOM_NONE;
};

} // namespace corvanite

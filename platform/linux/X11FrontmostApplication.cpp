// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11FrontmostApplication.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace corvanite {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

} // namespace

X11FrontmostApplication::X11FrontmostApplication(xcb_connection_t* connection, xcb_window_t root)
    : m_connection(connection)
    , m_root(root)
{
}

xcb_atom_t X11FrontmostApplication::atom(const char* name, xcb_atom_t& cached)
{
    if (cached != XCB_ATOM_NONE || !m_connection)
        return cached;
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(m_connection, 1, static_cast<uint16_t>(std::strlen(name)), name);
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(m_connection, cookie, nullptr));
    if (reply)
        cached = reply->atom;
    return cached;
}

std::optional<quint32> X11FrontmostApplication::cardinal(xcb_window_t window, xcb_atom_t property,
                                                         xcb_atom_t type)
{
    if (property == XCB_ATOM_NONE)
        return std::nullopt;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(m_connection, 0, window, property, type, 0, 1);
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection, cookie, nullptr));
    if (!reply || reply->type != type || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    quint32 value = 0;
    std::memcpy(&value, xcb_get_property_value(reply.get()), sizeof value);
    return value;
}

std::optional<FrontmostWindow> X11FrontmostApplication::frontmost()
{
    if (!m_connection || xcb_connection_has_error(m_connection))
        return std::nullopt;
    const std::optional<quint32> window =
        cardinal(m_root, atom("_NET_ACTIVE_WINDOW", m_activeWindow), XCB_ATOM_WINDOW);
    if (!window || *window == XCB_WINDOW_NONE)
        return std::nullopt;
    const std::optional<quint32> pid =
        cardinal(*window, atom("_NET_WM_PID", m_wmPid), XCB_ATOM_CARDINAL);
    if (!pid || *pid == 0 || *pid > 0x7fffffffu)
        return std::nullopt;
    return FrontmostWindow{static_cast<qint32>(*pid), *window};
}

void X11FrontmostApplication::activate(const FrontmostWindow& window)
{
    if (!m_connection || xcb_connection_has_error(m_connection) || window.window == 0)
        return;
    const xcb_atom_t active = atom("_NET_ACTIVE_WINDOW", m_activeWindow);
    if (active == XCB_ATOM_NONE)
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.window);
    event.type = active;
    event.data.data32[0] = 1; // source: an application
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

} // namespace corvanite

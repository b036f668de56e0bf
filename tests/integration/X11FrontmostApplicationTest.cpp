// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11FrontmostApplication.h"
#include "tests/support/XvfbSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

using namespace corvanite;
using corvanite::test::XvfbSession;

namespace {

xcb_atom_t intern(xcb_connection_t* c, const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void setCardinal(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                 quint32 value)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 32, 1, &value);
    // A round trip: the server has applied the change before another client asks for it.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

} // namespace

// The desktop's window manager is staged by the test: it sets the EWMH hints itself and
// watches the root window for activation requests, as a window manager would.
TEST(X11FrontmostApplication, readsTheActiveWindowsPidAndAsksForActivation)
{
    if (!XvfbSession::missingTools().isEmpty())
        GTEST_SKIP() << "no Xvfb";
    XvfbSession x;
    ASSERT_TRUE(x.isRunning()) << x.error().toStdString();
    int screenNumber = 0;
    xcb_connection_t* wm = xcb_connect(x.display().toLocal8Bit().constData(), &screenNumber);
    xcb_connection_t* app = xcb_connect(x.display().toLocal8Bit().constData(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(wm));
    ASSERT_FALSE(xcb_connection_has_error(app));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(wm)).data->root;
    const uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    xcb_change_window_attributes(wm, root, XCB_CW_EVENT_MASK, &redirect);

    X11FrontmostApplication frontmost(app, root);
    EXPECT_EQ(frontmost.frontmost(), std::nullopt); // no active window yet

    const xcb_window_t window = xcb_generate_id(wm);
    xcb_create_window(wm, XCB_COPY_FROM_PARENT, window, root, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    std::free(xcb_get_input_focus_reply(wm, xcb_get_input_focus(wm), nullptr));
    const xcb_atom_t active = intern(wm, "_NET_ACTIVE_WINDOW");
    const xcb_atom_t wmPid = intern(wm, "_NET_WM_PID");
    setCardinal(wm, root, active, XCB_ATOM_WINDOW, window);
    EXPECT_EQ(frontmost.frontmost(), std::nullopt); // the window does not say whose it is
    setCardinal(wm, window, wmPid, XCB_ATOM_CARDINAL, 4321);
    EXPECT_EQ(frontmost.frontmost(), (FrontmostWindow{4321, window}));

    frontmost.activate(FrontmostWindow{4321, window});
    xcb_generic_event_t* event = nullptr;
    for (int i = 0; i < 200 && !event; ++i) {
        event = xcb_poll_for_event(wm);
        if (event && (event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
            std::free(event);
            event = nullptr;
        }
        if (!event)
            ::usleep(10000);
    }
    ASSERT_NE(event, nullptr);
    const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
    EXPECT_EQ(message->type, active);
    EXPECT_EQ(message->window, window);
    std::free(event);
    xcb_disconnect(app);
    xcb_disconnect(wm);
}

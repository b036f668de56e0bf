// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/DisplayChoice.h"

#include <gtest/gtest.h>

using namespace corvanite;
using Kind = DisplayChoice::Kind;

TEST(DisplayChoice, followsWhatTheSessionOffers)
{
    struct Case {
        const char* name;
        DisplayChoice::Session session;
        Kind kind;
        const char* platform;
    };
    const Case cases[] = {
        {"nothing reachable", {{}, false, false}, Kind::Headless, ""},
        {"X11 only", {{}, false, true}, Kind::X11, "xcb"},
        {"Wayland with XWayland", {{}, true, true}, Kind::X11, "xcb"},
        {"Wayland without XWayland", {{}, true, false}, Kind::Wayland, "wayland"},
        {"user's platform wins", {QStringLiteral("wayland"), true, true}, Kind::AsConfigured, ""},
        {"offscreen by the user",
         {QStringLiteral("offscreen"), false, false},
         Kind::AsConfigured,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DisplayChoice choice = DisplayChoice::decide(c.session);
        EXPECT_EQ(choice.kind, c.kind);
        EXPECT_EQ(choice.platformToSet(), QLatin1String(c.platform));
        EXPECT_FALSE(choice.reason.isEmpty());
    }
}

TEST(DisplayChoice, probesByConnectingNotByLookingAtFiles)
{
    qputenv("QT_QPA_PLATFORM", "");
    qputenv("DISPLAY", ":987");           // no server behind it
    qputenv("WAYLAND_DISPLAY", "gone-0"); // no socket in the runtime folder
    const DisplayChoice::Session session = DisplayChoice::probeEnvironment();
    EXPECT_FALSE(session.x11Reachable);
    EXPECT_FALSE(session.waylandReachable);
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
}

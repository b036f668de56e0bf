// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/DisplayChoice.h"

#include "platform/linux/DisplayProbe.h"

namespace corvanite {

DisplayChoice DisplayChoice::decide(const Session& session)
{
    if (!session.qpaPlatform.isEmpty())
        return {Kind::AsConfigured, QStringLiteral("QT_QPA_PLATFORM is set to ") +
                                        session.qpaPlatform + QStringLiteral("; using it")};
    if (session.waylandReachable && session.x11Reachable)
        return {Kind::X11, QStringLiteral("Wayland session with XWayland: using X11 so the panel "
                                          "can open under its status item")};
    if (session.waylandReachable)
        return {Kind::Wayland, QStringLiteral("Wayland session without XWayland: using Wayland; "
                                              "the compositor places the panel")};
    if (session.x11Reachable)
        return {Kind::X11, QStringLiteral("X11 display reachable: using X11")};
    return {Kind::Headless, QStringLiteral("No display reachable (neither WAYLAND_DISPLAY nor "
                                           "DISPLAY): running without a window")};
}

DisplayChoice::Session DisplayChoice::probeEnvironment()
{
    Session session;
    session.qpaPlatform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!session.qpaPlatform.isEmpty())
        return session; // the user's choice is not second-guessed, so nothing is probed
    session.waylandReachable = DisplayProbe::waylandReachable(
        qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("XDG_RUNTIME_DIR"));
    session.x11Reachable = DisplayProbe::x11Reachable(qEnvironmentVariable("DISPLAY"));
    return session;
}

QString DisplayChoice::platformToSet() const
{
    switch (kind) {
    case Kind::X11:
        return QStringLiteral("xcb");
    case Kind::Wayland:
        return QStringLiteral("wayland");
    case Kind::Headless:
    case Kind::AsConfigured:
        break;
    }
    return {};
}

} // namespace corvanite

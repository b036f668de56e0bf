// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/process/ProtectedProcesses.h"

namespace corvanite::ProtectedProcesses {

namespace {
constexpr qsizetype kCommCut = 15;
} // namespace

const QStringList& sessionNames()
{
    static const QStringList names{
        // Init and the service managers (the system's and each user's "systemd --user"), and
        // the system services a session cannot do without.
        QStringLiteral("init"), QStringLiteral("systemd"), QStringLiteral("(sd-pam)"),
        QStringLiteral("systemd-journald"), QStringLiteral("systemd-logind"),
        QStringLiteral("systemd-udevd"),
        // The message buses.
        QStringLiteral("dbus-daemon"), QStringLiteral("dbus-broker"),
        QStringLiteral("dbus-broker-launch"),
        // X servers and Xwayland.
        QStringLiteral("X"), QStringLiteral("Xorg"), QStringLiteral("Xwayland"),
        QStringLiteral("Xvfb"), QStringLiteral("Xephyr"), QStringLiteral("Xvnc"),
        QStringLiteral("Xnest"),
        // Wayland compositors and the window managers that draw or own the screen.
        QStringLiteral("gnome-shell"), QStringLiteral("mutter"), QStringLiteral("kwin_x11"),
        QStringLiteral("kwin_wayland"), QStringLiteral("kwin_wayland_wrapper"),
        QStringLiteral("sway"), QStringLiteral("Hyprland"), QStringLiteral("labwc"),
        QStringLiteral("weston"), QStringLiteral("wayfire"), QStringLiteral("river"),
        QStringLiteral("niri"), QStringLiteral("cage"), QStringLiteral("gamescope"),
        QStringLiteral("cosmic-comp"), QStringLiteral("openbox"), QStringLiteral("i3"),
        QStringLiteral("xfwm4"), QStringLiteral("marco"), QStringLiteral("metacity"),
        QStringLiteral("muffin"), QStringLiteral("cinnamon"), QStringLiteral("compiz"),
        QStringLiteral("fluxbox"), QStringLiteral("awesome"), QStringLiteral("bspwm"),
        QStringLiteral("dwm"), QStringLiteral("herbstluftwm"), QStringLiteral("icewm"),
        QStringLiteral("jwm"), QStringLiteral("fvwm"), QStringLiteral("fvwm3"),
        QStringLiteral("enlightenment"), QStringLiteral("qtile"), QStringLiteral("picom"),
        // Desktop shells and the panels that host the status area.
        QStringLiteral("plasmashell"), QStringLiteral("xfce4-panel"), QStringLiteral("lxqt-panel"),
        // Session managers and their helpers.
        QStringLiteral("gnome-session"), QStringLiteral("gnome-session-binary"),
        QStringLiteral("gnome-session-ctl"), QStringLiteral("ksmserver"),
        QStringLiteral("startplasma-wayland"), QStringLiteral("startplasma-x11"),
        QStringLiteral("plasma_session"), QStringLiteral("xfce4-session"),
        QStringLiteral("xfsettingsd"), QStringLiteral("xfconfd"), QStringLiteral("lxqt-session"),
        QStringLiteral("lxsession"), QStringLiteral("mate-session"),
        QStringLiteral("cinnamon-session"), QStringLiteral("cinnamon-session-binary"),
        QStringLiteral("budgie-session"), QStringLiteral("x-session-manager"),
        // Display managers and their session workers.
        QStringLiteral("gdm"), QStringLiteral("gdm3"), QStringLiteral("gdm-session-worker"),
        QStringLiteral("gdm-wayland-session"), QStringLiteral("gdm-x-session"),
        QStringLiteral("sddm"), QStringLiteral("sddm-helper"), QStringLiteral("lightdm"),
        QStringLiteral("lxdm"), QStringLiteral("lxdm-binary"), QStringLiteral("xdm"),
        QStringLiteral("greetd"), QStringLiteral("ly"),
        // Audio and video servers.
        QStringLiteral("pipewire"), QStringLiteral("pipewire-pulse"),
        QStringLiteral("pipewire-media-session"), QStringLiteral("wireplumber"),
        QStringLiteral("pulseaudio"),
        // Polkit and its agents, the desktop portals.
        QStringLiteral("polkitd"), QStringLiteral("polkit-gnome-authentication-agent-1"),
        QStringLiteral("polkit-kde-authentication-agent-1"), QStringLiteral("lxpolkit"),
        QStringLiteral("xdg-desktop-portal"), QStringLiteral("xdg-desktop-portal-gtk"),
        QStringLiteral("xdg-desktop-portal-gnome"), QStringLiteral("xdg-desktop-portal-kde"),
        QStringLiteral("xdg-desktop-portal-wlr"), QStringLiteral("xdg-desktop-portal-hyprland"),
        QStringLiteral("xdg-desktop-portal-lxqt"), QStringLiteral("xdg-document-portal"),
        QStringLiteral("xdg-permission-store"),
        // This application and its fan helper.
        QStringLiteral("corvanite"), QStringLiteral("corvanite-helper")};
    return names;
}

bool contains(const QStringList& names, const QString& word)
{
    if (names.contains(word))
        return true;
    if (word.toUtf8().size() != kCommCut)
        return false;
    for (const QString& name : names) {
        if (name.size() > word.size() && name.startsWith(word))
            return true;
    }
    return false;
}

} // namespace corvanite::ProtectedProcesses

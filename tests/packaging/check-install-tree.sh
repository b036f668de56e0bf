#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a scratch DESTDIR with prefix /usr, the way a package does, and checks
# the tree a desktop sees: every file present, the paths inside them naming /usr (not the
# scratch folder), both programs running from there, the desktop entry and the metainfo valid,
# and the session bus starting the installed application for its name.
# Arguments: the build folder, the project version.
set -u
build=$1
version=$2
scratch=$(mktemp -d)
bus=""
trap '[ -n "$bus" ] && kill $bus 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$scratch"' EXIT
root=$scratch/root
usr=$root/usr

DESTDIR=$root cmake --install "$build" --prefix /usr >"$scratch/install.log" 2>&1 ||
    { echo "install failed:"; cat "$scratch/install.log"; exit 1; }
status=0
fail() { echo "$*"; status=1; }
expect_file() { [ -f "$usr/$1" ] || fail "missing: /usr/$1"; }
expect_line() { grep -qxF "$2" "$usr/$1" 2>/dev/null || fail "/usr/$1: no line '$2'"; }

for f in bin/corvanite libexec/corvanite/corvanite-helper \
    share/applications/com.corvanite.app.desktop \
    share/metainfo/com.corvanite.app.metainfo.xml \
    share/icons/hicolor/scalable/apps/com.corvanite.app.svg \
    share/icons/hicolor/symbolic/apps/com.corvanite.app-symbolic.svg \
    share/dbus-1/services/com.corvanite.app.service \
    share/dbus-1/system-services/com.corvanite.helper.service \
    share/dbus-1/system.d/com.corvanite.helper.conf \
    share/polkit-1/actions/com.corvanite.helper.policy \
    lib/systemd/system/corvanite-helper.service \
    share/man/man1/corvanite.1.gz share/man/man8/corvanite-helper.8.gz; do
    expect_file "$f"
done
# Nothing of the scratch folder may leak into what was installed.
if grep -rlF "$scratch" "$usr/share" "$usr/lib" 2>/dev/null | grep -q .; then
    fail "files name the scratch folder: $(grep -rlF "$scratch" "$usr/share" "$usr/lib")"
fi

out=$("$usr/bin/corvanite" --version 2>&1)
[ "$out" = "corvanite $version" ] || fail "corvanite --version said '$out'"
out=$("$usr/libexec/corvanite/corvanite-helper" --version 2>&1)
[[ $out =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "corvanite-helper --version said '$out'"

expect_line share/dbus-1/services/com.corvanite.app.service "Name=com.corvanite.app"
expect_line share/dbus-1/services/com.corvanite.app.service "Exec=/usr/bin/corvanite"
expect_line share/dbus-1/system-services/com.corvanite.helper.service \
    "Exec=/usr/libexec/corvanite/corvanite-helper"
expect_line lib/systemd/system/corvanite-helper.service \
    "ExecStart=/usr/libexec/corvanite/corvanite-helper"

desktop=$usr/share/applications/com.corvanite.app.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon for Icon=$icon"
metainfo=$usr/share/metainfo/com.corvanite.app.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo" >"$scratch/as.log" 2>&1 ||
    { fail "appstreamcli refused the metainfo:"; cat "$scratch/as.log"; }
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
for svg in "$usr"/share/icons/hicolor/*/apps/*.svg; do
    xmllint --noout "$svg" || fail "not well-formed: $svg"
done
for page in "$usr"/share/man/man1/corvanite.1.gz "$usr"/share/man/man8/corvanite-helper.8.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$scratch/page.txt")
    [ -z "$warnings" ] || fail "$page: $warnings"
    grep -q "FILES" "$scratch/page.txt" && grep -q "ENVIRONMENT" "$scratch/page.txt" ||
        fail "$page lacks FILES or ENVIRONMENT"
    grep -q "/usr/" "$scratch/page.txt" || fail "$page names no installed path"
done

# A session bus that knows only the installed activation file starts the installed
# application when its name is called; it runs in the sandbox without a display.
home=$scratch/home
mkdir -p "$home/run"
chmod 700 "$home/run"
# The activation file names /usr/bin/corvanite; this bus starts the one in the tree instead.
mkdir -p "$scratch/services"
sed "s|^Exec=/usr/|Exec=$usr/|" "$usr/share/dbus-1/services/com.corvanite.app.service" \
    >"$scratch/services/com.corvanite.app.service"
cat >"$scratch/session.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$scratch</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$scratch/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$home/run" XDG_CONFIG_HOME="$home/.config" \
    XDG_STATE_HOME="$home/.local/state" \
    dbus-daemon --config-file="$scratch/session.conf" --nofork --nopidfile --print-address=1 \
    >"$scratch/bus.addr" 2>"$scratch/bus.err" &
bus=$!
for _ in $(seq 50); do
    [ -s "$scratch/bus.addr" ] && break
    sleep 0.1
done
address=$(head -n1 "$scratch/bus.addr")
if [ -z "$address" ]; then
    fail "the private session bus did not start: $(cat "$scratch/bus.err")"
else
    if ! DBUS_SESSION_BUS_ADDRESS=$address timeout 30 gdbus call --session \
        --dest com.corvanite.app --object-path /com/corvanite/app \
        --method com.corvanite.app.ShowPanel >"$scratch/call.log" 2>&1; then
        fail "calling com.corvanite.app did not reach a started application: $(cat "$scratch/call.log")"
    fi
    app=$(DBUS_SESSION_BUS_ADDRESS=$address gdbus call --session --dest org.freedesktop.DBus \
        --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.GetConnectionUnixProcessID com.corvanite.app 2>/dev/null |
        tr -dc '0-9 ' | awk '{ print $NF }')
    if [ -n "$app" ]; then
        [ "$(readlink "/proc/$app/exe")" = "$usr/bin/corvanite" ] ||
            fail "the name is owned by $(readlink "/proc/$app/exe"), not the installed program"
        kill -TERM "$app" 2>/dev/null
        for _ in $(seq 50); do
            kill -0 "$app" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$app" 2>/dev/null && { fail "the started application ignored SIGTERM"; kill -KILL "$app"; }
    else
        fail "nobody owns com.corvanite.app after the call"
    fi
fi

[ $status -eq 0 ] && echo "install tree holds"
exit $status

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb once with CPack and checks it: control fields, dependencies found from the
# programs' shared libraries, the file list, the maintainer scripts; then installs it into a
# scratch root with dpkg and removes it again, which must leave the user's files alone.
# Arguments: the build folder, the project version.
set -u
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() { echo "$*"; status=1; }

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out") \
    >"$scratch/cpack.log" 2>&1 || { echo "cpack failed:"; cat "$scratch/cpack.log"; exit 1; }
arch=$(dpkg --print-architecture)
deb=$scratch/out/corvanite_${version}_${arch}.deb
[ -f "$deb" ] || { echo "no $(basename "$deb") in: $(ls "$scratch/out")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = corvanite ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6dbus6 libqt6widgets6 libxcb1; do
    [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] ||
        fail "Depends lacks $lib: $depends"
done
[[ $(field Recommends) == *polkit* ]] || fail "Recommends lacks polkit: $(field Recommends)"

dpkg-deb -c "$deb" >"$scratch/listing"
awk '{ print $NF }' "$scratch/listing" | sed 's|^\./|/|' >"$scratch/files"
for f in /usr/bin/corvanite /usr/libexec/corvanite/corvanite-helper \
    /usr/share/applications/com.corvanite.app.desktop \
    /usr/share/metainfo/com.corvanite.app.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/com.corvanite.app.svg \
    /usr/share/icons/hicolor/symbolic/apps/com.corvanite.app-symbolic.svg \
    /usr/share/dbus-1/services/com.corvanite.app.service \
    /usr/share/dbus-1/system-services/com.corvanite.helper.service \
    /usr/share/dbus-1/system.d/com.corvanite.helper.conf \
    /usr/share/polkit-1/actions/com.corvanite.helper.policy \
    /usr/lib/systemd/system/corvanite-helper.service \
    /usr/share/man/man1/corvanite.1.gz /usr/share/man/man8/corvanite-helper.8.gz; do
    grep -qxF "$f" "$scratch/files" || fail "package lacks $f"
done
# Only what is installed under /usr, owned by root: no build paths, no test programs.
if grep -v '^/usr\(/\|$\)' "$scratch/files" | grep -qv '^/$'; then
    fail "files outside /usr: $(grep -v '^/usr\(/\|$\)' "$scratch/files" | grep -v '^/$')"
fi
grep -q test "$scratch/files" && fail "test files packaged: $(grep test "$scratch/files")"
if awk '{ print $2 }' "$scratch/listing" | grep -qv '^root/root$'; then
    fail "files not owned by root"
fi
grep ' \./usr/libexec/corvanite/corvanite-helper$' "$scratch/listing" | grep -q '^-rwxr-xr-x' ||
    fail "the helper is not installed 0755"

dpkg-deb -e "$deb" "$scratch/control"
for script in postinst prerm postrm; do
    s=$scratch/control/$script
    [ -x "$s" ] || { fail "no executable $script"; continue; }
    sh -n "$s" || fail "$script does not parse"
    grep -q '@' "$s" && fail "$script has an unfilled placeholder"
done
grep -q 'daemon-reload' "$scratch/control/postinst" || fail "postinst does not reload systemd"
grep -q 'ReloadConfig' "$scratch/control/postinst" || fail "postinst does not reload the bus"
grep -q 'systemctl stop corvanite-helper.service' "$scratch/control/prerm" ||
    fail "prerm does not stop the helper"
grep -qxF 'helper=/usr/libexec/corvanite/corvanite-helper' "$scratch/control/prerm" ||
    fail "prerm does not know the installed helper"

# Without systemd, prerm finds the helper through the system bus and stops it. Staged with a
# private bus standing in for the system bus and the built daemon over a simulated controller;
# skipped where systemd runs or a helper is installed, since prerm would then act on those.
if [ ! -d /run/systemd/system ] && [ ! -e /usr/libexec/corvanite/corvanite-helper ]; then
    cat >"$scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$scratch</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    dbus-daemon --config-file="$scratch/bus.conf" --nofork --nopidfile --print-address=1 \
        >"$scratch/bus.addr" 2>/dev/null &
    bus=$!
    for _ in $(seq 50); do
        [ -s "$scratch/bus.addr" ] && break
        sleep 0.1
    done
    address=$(head -n1 "$scratch/bus.addr")
    echo '{}' >"$scratch/smc.json"
    DBUS_SESSION_BUS_ADDRESS=$address "$build/corvanite-helper" \
        --test-simulated-smc="$scratch/smc.json" 2>"$scratch/helper.log" &
    helper=$!
    owned=""
    for _ in $(seq 50); do
        DBUS_SESSION_BUS_ADDRESS=$address gdbus call --session --dest org.freedesktop.DBus \
            --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner \
            com.corvanite.helper 2>/dev/null | grep -q true && { owned=1; break; }
        sleep 0.1
    done
    if [ -z "$owned" ]; then
        fail "the helper did not take its name: $(cat "$scratch/helper.log")"
    else
        DBUS_SYSTEM_BUS_ADDRESS=$address sh "$scratch/control/prerm" remove ||
            fail "prerm failed"
        kill -0 $helper 2>/dev/null && fail "prerm left the helper running"
    fi
    kill $helper 2>/dev/null
    wait $helper 2>/dev/null
    kill $bus 2>/dev/null
    wait $bus 2>/dev/null
fi

# Install into a scratch root and purge again. DPKG_ROOT tells the scripts the running system
# is not the one being changed, so nothing outside the scratch root is touched.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/home/user/.config/corvanite" \
    "$root/home/user/.local/state/corvanite"
: >"$root/var/lib/dpkg/status"
echo '{ "verboseLog": true }' >"$root/home/user/.config/corvanite/preferences.json"
echo 'a log line' >"$root/home/user/.local/state/corvanite/Corvanite.log"
dpkg_in_root() {
    dpkg --root="$root" --force-script-chrootless --force-depends --force-not-root \
        --log=/dev/null "$@" >>"$scratch/dpkg.log" 2>&1
}
dpkg_in_root -i "$deb" || { fail "dpkg -i failed:"; cat "$scratch/dpkg.log"; }
[ -x "$root/usr/bin/corvanite" ] || fail "dpkg -i did not install /usr/bin/corvanite"
dpkg_in_root --purge corvanite || { fail "dpkg --purge failed:"; cat "$scratch/dpkg.log"; }
[ -e "$root/usr/bin/corvanite" ] && fail "purge left /usr/bin/corvanite"
[ -e "$root/usr/libexec/corvanite" ] && fail "purge left /usr/libexec/corvanite"
[ "$(cat "$root/home/user/.config/corvanite/preferences.json")" = '{ "verboseLog": true }' ] ||
    fail "purge touched the preferences"
[ "$(cat "$root/home/user/.local/state/corvanite/Corvanite.log")" = 'a log line' ] ||
    fail "purge touched the log"

[ $status -eq 0 ] && echo "package holds"
exit $status

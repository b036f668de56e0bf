#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a scratch prefix and checks where the fan helper's files land and that
# the files point at the installed daemon. Arguments: the build folder, the source folder.
set -u
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "install failed"; exit 1; }
status=0
expect_file() {
    [ -f "$1" ] || { echo "missing: ${1#$scratch}"; status=1; }
}
expect_line() { # file, exact line
    grep -qxF "$2" "$1" 2>/dev/null || { echo "${1#$scratch}: no line '$2'"; status=1; }
}

helper=$prefix/libexec/corvanite/corvanite-helper
expect_file "$helper"
[ -x "$helper" ] || { echo "daemon not executable"; status=1; }
[ "$("$helper" --version)" = "0.0.15" ] || { echo "wrong --version"; status=1; }

bus_service=$prefix/share/dbus-1/system-services/com.corvanite.helper.service
unit=$prefix/lib/systemd/system/corvanite-helper.service
expect_file "$bus_service"
expect_file "$prefix/share/dbus-1/system.d/com.corvanite.helper.conf"
expect_file "$prefix/share/polkit-1/actions/com.corvanite.helper.policy"
expect_file "$unit"
tool=$prefix/libexec/corvanite/corvanite-register-helper
[ -x "$tool" ] || { echo "registration tool missing or not executable"; status=1; }
sh -n "$tool" 2>/dev/null || { echo "registration tool does not parse"; status=1; }
expect_line "$bus_service" "Name=com.corvanite.helper"
expect_line "$bus_service" "Exec=$helper"
expect_line "$bus_service" "SystemdService=corvanite-helper.service"
expect_line "$unit" "BusName=com.corvanite.helper"
expect_line "$unit" "ExecStart=$helper"
expect_line "$unit" "ExecStopPost=$helper --release-fans"

# The policy files must parse: the bus refuses a broken policy, polkit a broken action file.
conf=$scratch/bus.conf
cat >"$conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:dir=$scratch</listen>
  <auth>EXTERNAL</auth>
  <include>$prefix/share/dbus-1/system.d/com.corvanite.helper.conf</include>
</busconfig>
CONF
dbus-daemon --config-file="$conf" --nofork --nopidfile --print-address=1 \
    >"$scratch/bus.addr" 2>"$scratch/bus.err" &
bus=$!
for _ in $(seq 50); do
    [ -s "$scratch/bus.addr" ] && break
    kill -0 $bus 2>/dev/null || break
    sleep 0.1
done
kill $bus 2>/dev/null
wait $bus 2>/dev/null
if ! grep -q '^unix:' "$scratch/bus.addr"; then
    echo "the bus policy does not load:"; cat "$scratch/bus.err"; status=1
fi
if command -v xmllint >/dev/null; then
    xmllint --noout "$prefix/share/polkit-1/actions/com.corvanite.helper.policy" || status=1
fi

[ $status -eq 0 ] && echo "helper install layout holds"
exit $status

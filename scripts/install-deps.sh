#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing Corvanite needs on Debian 12 or Ubuntu.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-wayland libgl-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  dbus dbus-daemon dbus-x11
  libglib2.0-bin lm-sensors pkexec
  xvfb xauth trayer imagemagick x11-utils xdotool
  fonts-dejavu-core fonts-material-design-icons-iconfont fonts-noto-cjk fonts-thai-tlwg
  dpkg-dev file appstream desktop-file-utils libxml2-utils man-db
)

if [ ! -r /etc/os-release ] || ! grep -qiE '^(ID|ID_LIKE)=.*(debian|ubuntu)' /etc/os-release; then
  echo "Corvanite's install script knows Debian and Ubuntu only." >&2
  echo "On another distribution install: Qt 6 base development files (Core, Gui, Widgets, DBus," >&2
  echo "Network), CMake, Ninja, GoogleTest, Google Benchmark, dbus-daemon, Xvfb and trayer." >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please run as root or install sudo." >&2; exit 1; }
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the fuzz targets (CORVANITE_FUZZ) and the load figures need on top of the normal build:
# clang with its libFuzzer and sanitizer runtimes, and iproute2 for the network namespace. The
# sanitizer build with the default compiler (CORVANITE_SANITIZE) needs nothing more.
set -euo pipefail

bash "$(dirname "$0")/install-deps.sh"
packages=(clang libclang-rt-14-dev iproute2)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

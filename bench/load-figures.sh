#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Figures under load: the process scan with 5,000 extra idle processes, and the light pass and
# the network reading with 200 network interfaces, in a network namespace of this script's own
# filled with dummy (or veth) links (needs iproute2 and the right to make namespaces; skipped without).
#
#   bench/load-figures.sh [build-folder]
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
cmake --build "$build" --target ProcessScanBench LightPassBench || exit 1

echo "== process scan and the open panel's ranking, machine's own processes and 1,000 / 5,000 extra idle ones"
"$build/bench/ProcessScanBench" --benchmark_filter='BM_(Scan|Bare|PanelList)/(0|1000|5000)$' \
  --benchmark_min_time=0.5 || exit 1

echo
echo "== light pass and network reading, this machine's interfaces"
"$build/bench/LightPassBench" --benchmark_filter='^(LightPass|ReadNetworkBytes)$' || exit 1

ns="corvanite-load-$$"
if ! command -v ip >/dev/null || ! ip netns add "$ns" 2>/dev/null; then
  echo
  echo "Network namespaces are not permitted here (or iproute2 is missing): 200-interface run skipped."
  exit 0
fi
trap 'ip netns del "$ns" 2>/dev/null' EXIT
# Dummy links when the kernel has the dummy driver; else 100 veth pairs, both ends in the
# namespace, which make the same 200 lines in /proc/net/dev.
kind=dummy
ip -n "$ns" link add probe0 type dummy 2>/dev/null && ip -n "$ns" link del probe0 || kind=veth
{
  echo "link set lo up"
  if [ "$kind" = dummy ]; then
    for i in $(seq 0 199); do
      echo "link add dummy$i type dummy"
      echo "link set dummy$i up"
    done
  else
    for i in $(seq 0 99); do
      echo "link add veth$i type veth peer name peer$i"
      echo "link set veth$i up"
      echo "link set peer$i up"
    done
  fi
} | ip -n "$ns" -batch - || exit 1
count="$(ip netns exec "$ns" sh -c 'tail -n +3 /proc/net/dev | wc -l')"

echo
echo "== light pass and network reading, $count interfaces ($kind links, namespace $ns)"
ip netns exec "$ns" "$build/bench/LightPassBench" \
  --benchmark_filter='^(LightPass|ReadNetworkBytes)$' || exit 1

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Corvanite developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer)
# and runs each for a given time, seeded from the test fixtures and fuzz/seeds.
#
#   bench/run-fuzzers.sh [seconds-per-target] [target...]
#
# Environment: BUILD (default build-fuzz), JOBS (parallel fuzzing processes per target,
# default 1, through libFuzzer's fork mode). Crashes, hangs and sanitizer reports land in $BUILD/fuzz-artifacts; the grown
# corpora stay in $BUILD/fuzz-corpus and are reused by the next run. Prints executions and
# coverage per target; exits non-zero when any target found something.
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="${BUILD:-$here/build-fuzz}"
jobs="${JOBS:-1}"
fixtures="$here/tests/fixtures"

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCORVANITE_FUZZ=ON \
    -DCORVANITE_BUILD_TESTS=OFF -DCORVANITE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >/dev/null || exit 1
fi
cmake --build "$build" --target fuzzers || exit 1

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in "$here"/fuzz/*Fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

# Multi-file readers take one input with fields separated by \x1f, in the order the target
# lists its files.
join_fields() {
  local dir="$1"; shift
  local first=1
  for name in "$@"; do
    [ $first -eq 1 ] || printf '\x1f'
    first=0
    [ -f "$dir/$name" ] && cat "$dir/$name"
  done
}

seed() {
  local target="$1" corpus="$2"
  [ -d "$here/fuzz/seeds/$target" ] && cp -f "$here/fuzz/seeds/$target"/* "$corpus"/ 2>/dev/null
  local n=0
  case "$target" in
    CpuTicksFuzz)
      for f in "$fixtures"/linux/proc/stat "$fixtures"/linux-variants/stat-*; do cp -f "$f" "$corpus/fixture-$((n++))"; done ;;
    MeminfoFuzz)
      for f in $(find "$fixtures" -name meminfo) "$fixtures"/linux-variants/meminfo-*; do cp -f "$f" "$corpus/fixture-$((n++))"; done ;;
    NetDevFuzz)
      for f in "$fixtures"/linux/proc/net/dev "$fixtures"/linux-variants/net-dev-*; do cp -f "$f" "$corpus/fixture-$((n++))"; done ;;
    ZramStatFuzz)
      for f in $(find "$fixtures" -name mm_stat); do cp -f "$f" "$corpus/fixture-$((n++))"; done ;;
    PressureFuzz)
      for f in $(find "$fixtures" -path '*proc/pressure/memory'); do cp -f "$f" "$corpus/fixture-$((n++))"; done ;;
    HwmonFuzz)
      for d in $(find "$fixtures" -path '*sys/class/hwmon/hwmon*' -type d); do
        join_fields "$d" name temp1_input temp1_label temp2_input fan1_input fan1_min fan1_max \
          fan1_target pwm1 pwm1_enable > "$corpus/fixture-$((n++))"
      done ;;
    PowerSupplyFuzz)
      for d in $(find "$fixtures" -path '*sys/class/power_supply' -type d); do
        bat="$(ls -d "$d"/*/ | head -1)"; ac="$d/AC"
        { join_fields "$bat" type scope status capacity voltage_now current_now power_now \
            energy_full energy_full_design charge_full charge_full_design cycle_count
          printf '\x1f'; join_fields "$ac" type online; } > "$corpus/fixture-$((n++))"
      done ;;
  esac
}

status=0
summary=()
mkdir -p "$build/fuzz-artifacts"
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  seed "$target" "$corpus"
  log="$build/fuzz-artifacts/$target.log"
  echo "== $target: ${seconds}s"
  # -timeout: an input that takes this long is a hang. Leaks are checked at the end of each run.
  parallel=()
  [ "$jobs" -gt 1 ] && parallel=(-fork="$jobs")
  "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    "${parallel[@]}" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-artifacts/$target-" >"$log" 2>&1
  rc=$?
  runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{s+=$2} END {print s+0}')"
  cov="$(grep -oE '(#[0-9]+|DONE).*cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+')"
  files="$(ls "$corpus" | wc -l)"
  line="$target: ${runs} executions, ${cov:-cov: ?}, corpus ${files} inputs"
  if [ $rc -ne 0 ]; then
    line="$line, FOUND A FAULT (see $log)"
    status=1
  fi
  summary+=("$line")
  echo "$line"
done

echo
echo "Summary (${seconds}s per target):"
printf '  %s\n' "${summary[@]}"
exit $status

#!/bin/sh
# Builds the fuzz targets into build/fuzz and runs them.
#   tools/fuzz/run.sh [seconds] [target]     (default 60 seconds, every target in turn)
# Targets: those of tools/fuzz/targets.txt (number_text, chart_store,
# chart_map, scale_ticks, date_time_text, touchstone), with their sources.
# Each target starts from its corpus in tools/fuzz/corpus/<target> (new inputs
# are added there; merge them with -merge=1 before committing) and writes
# findings to build/fuzz/crash-*.
set -e
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-60}"
only="$2"
. "$root/tools/deps.sh"
PLX_PACKAGES="" plx_install_missing clang-14 libclang-rt-14-dev
out="$root/build/fuzz"
mkdir -p "$out"

targets="$(sed -n 's/^\([a-z_]*\):.*/\1/p' "$root/tools/fuzz/targets.txt")"

sources() {
  list="$(sed -n "s/^$1: *//p" "$root/tools/fuzz/targets.txt")"
  [ -n "$list" ] || { echo "unknown target: $1" >&2; exit 2; }
  echo "$list"
}

run_target() {
  target="$1"
  files=""
  for f in $(sources "$target"); do files="$files $root/tools/fuzz/$f"; done
  clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" $files -o "$out/${target}_fuzzer"
  corpus="$root/tools/fuzz/corpus/$target"
  mkdir -p "$corpus"
  extra=""
  [ "$target" = number_text ] && extra="-dict=$root/tools/fuzz/numbers.dict $root/tools/fuzz/seeds"
  [ "$target" = date_time_text ] && extra="-dict=$root/tools/fuzz/date_time.dict"
  "$out/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" "$corpus" $extra
}

for t in ${only:-$targets}; do run_target "$t"; done

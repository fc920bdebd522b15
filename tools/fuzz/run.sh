#!/bin/sh
# Builds the fuzz targets into build/fuzz and runs them.
#   tools/fuzz/run.sh [seconds] [target]     (default 60 seconds, every target in turn)
# Targets: number_text, chart_store, chart_map, scale_ticks, date_time_text.
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

sources() {
  case "$1" in
    number_text) echo "NumberTextFuzzer.cpp LocaleStub.cpp ../../controls/base/PLX_stringl.cpp
      ../../controls/base/PLX_math1.cpp ../../controls/numeric/PLX_NumScan.cpp" ;;
    chart_store) echo "ChartStoreFuzzer.cpp ../../controls/chart/rules/PLX_ChartStore.cpp
      ../../controls/chart/rules/PLX_HugePages.cpp" ;;
    chart_map) echo "ChartMapFuzzer.cpp ../../controls/chart/rules/PLX_ChartMap.cpp" ;;
    scale_ticks) echo "ScaleTicksFuzzer.cpp ../../controls/scale/PLX_ScaleTicks.cpp
      ../../controls/scale/PLX_ScaleMap.cpp ../../controls/base/PLX_ScalePars.cpp
      ../../controls/base/PLX_math1.cpp ../../controls/base/PLX_stringl.cpp LocaleStub.cpp" ;;
    date_time_text) echo "DateTimeTextFuzzer.cpp ../../controls/scale/PLX_ScaleDateText.cpp
      ../../controls/scale/PLX_ScaleDateTicks.cpp ../../controls/scale/PLX_ScaleCalendar.cpp
      ../../controls/base/PLX_DTLabel.cpp ../../platform/DateTimeFormat.cpp LocaleStub.cpp" ;;
    *) echo "unknown target: $1" >&2; exit 2 ;;
  esac
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

for t in ${only:-number_text chart_store chart_map scale_ticks date_time_text}; do run_target "$t"; done

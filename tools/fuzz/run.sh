#!/bin/sh
# Builds a fuzz target into build/fuzz and runs it.
#   tools/fuzz/run.sh [seconds] [target]      (default 60 s, number_text)
# Targets:
#   number_text      the number texts; new inputs go to build/fuzz/corpus
#   date_time_text   the texts and ticks of time and date axes; new inputs go
#                    to build/fuzz/date_time_corpus
# Findings go to build/fuzz/crash-*.
set -e
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-60}"
target="${2:-number_text}"
. "$root/tools/deps.sh"
PLX_PACKAGES="" plx_install_missing clang-14 libclang-rt-14-dev
out="$root/build/fuzz"
fuzz="$root/tools/fuzz"
case "$target" in
  number_text)
    sources="$fuzz/NumberTextFuzzer.cpp $root/controls/base/PLX_stringl.cpp
      $root/controls/base/PLX_math1.cpp $root/controls/numeric/PLX_NumScan.cpp"
    dict="$fuzz/numbers.dict"
    seeds="$fuzz/seeds"
    corpus="$out/corpus"
    ;;
  date_time_text)
    sources="$fuzz/DateTimeTextFuzzer.cpp $root/controls/scale/PLX_ScaleDateText.cpp
      $root/controls/scale/PLX_ScaleDateTicks.cpp $root/controls/scale/PLX_ScaleCalendar.cpp
      $root/controls/base/PLX_DTLabel.cpp $root/platform/DateTimeFormat.cpp"
    dict="$fuzz/date_time.dict"
    seeds="$fuzz/date_time_corpus"
    corpus="$out/date_time_corpus"
    ;;
  *)
    echo "unknown target: $target (number_text or date_time_text)" >&2
    exit 2
    ;;
esac
mkdir -p "$corpus"
# shellcheck disable=SC2086  # the source list splits on purpose
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" $sources "$fuzz/LocaleStub.cpp" \
  -o "$out/${target}_fuzzer"
exec "$out/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
  -dict="$dict" -artifact_prefix="$out/" "$corpus" "$seeds"

#!/bin/sh
# Builds the number-text fuzz target into build/fuzz and runs it.
#   tools/fuzz/run.sh [seconds]      (default 60)
# New inputs go to build/fuzz/corpus, findings to build/fuzz/crash-*.
set -e
root="$(cd "$(dirname "$0")/../.." && pwd)"
seconds="${1:-60}"
. "$root/tools/deps.sh"
PLX_PACKAGES="" plx_install_missing clang-14 libclang-rt-14-dev
out="$root/build/fuzz"
mkdir -p "$out/corpus"
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer -Wall -Wextra \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" \
  "$root/tools/fuzz/NumberTextFuzzer.cpp" \
  "$root/tools/fuzz/LocaleStub.cpp" \
  "$root/controls/base/PLX_stringl.cpp" \
  "$root/controls/base/PLX_math1.cpp" \
  "$root/controls/numeric/PLX_NumScan.cpp" \
  -o "$out/number_text_fuzzer"
exec "$out/number_text_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
  -dict="$root/tools/fuzz/numbers.dict" -artifact_prefix="$out/" \
  "$out/corpus" "$root/tools/fuzz/seeds"

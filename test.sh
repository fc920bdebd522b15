#!/bin/sh
# Builds everything (installing what it needs) and runs all tests.
#   ./test.sh             the normal build
#   ./test.sh --sanitize  a build with AddressSanitizer and UndefinedBehaviorSanitizer,
#                         asserts on, that also replays the fuzz corpora
# A warning in our code fails the build; the normal build also compiles the
# benchmarks (without running them), so they cannot rot unnoticed.
set -e
cd "$(dirname "$0")"
. tools/deps.sh
plx_install_missing
dir=build/test
flags="-DPLX_WERROR=ON -DPLX_BUILD_BENCH=ON"
if [ "$1" = "--sanitize" ]; then
  dir=build/sanitize
  flags="-DPLX_WERROR=ON -DPLX_SANITIZE=ON"
  # Leak reports are off: Qt and fontconfig keep caches alive until exit.
  export ASAN_OPTIONS=detect_leaks=0
  export UBSAN_OPTIONS=print_stacktrace=1
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $flags >/dev/null
cmake --build "$dir" -j2
cd "$dir"
ctest --output-on-failure -j2

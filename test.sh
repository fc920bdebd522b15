#!/bin/sh
# Builds everything (installing what it needs) and runs all tests.
#   ./test.sh             the normal build
#   ./test.sh --sanitize  a build with AddressSanitizer and UndefinedBehaviorSanitizer
set -e
cd "$(dirname "$0")"
. tools/deps.sh
plx_install_missing
dir=build/test
flags=""
if [ "$1" = "--sanitize" ]; then
  dir=build/sanitize
  flags="-DPLX_SANITIZE=ON"
  # Leak reports are off: Qt and fontconfig keep caches alive until exit.
  export ASAN_OPTIONS=detect_leaks=0
  export UBSAN_OPTIONS=print_stacktrace=1
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $flags >/dev/null
cmake --build "$dir" -j2
cd "$dir"
ctest --output-on-failure -j2

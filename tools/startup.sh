#!/bin/sh
# Start-up figures of the program against a minimal Qt Widgets window, in a
# virtual X server: time to the first painted frame and peak resident memory.
#   tools/startup.sh [RUNS]      (default 10 runs each; about half a minute)
# Builds the two programs first, in build/release as run.sh builds the
# program, so that the figures are those of the build users run.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2 --target OrvakSE MinimalQtWindow >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 938x510x24" \
  python3 tools/startup/measure.py build/release/app/OrvakSE build/release/tools/startup/MinimalQtWindow "${1:-10}"

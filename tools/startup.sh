#!/bin/sh
# Start-up figures of the program against a minimal Qt Widgets window, in a
# virtual X server: time to the first painted frame and peak resident memory.
#   tools/startup.sh [RUNS]      (default 10 runs each; about half a minute)
# Builds the two programs in build/test first.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j2 --target OrvakSE MinimalQtWindow >/dev/null
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 938x510x24" \
  python3 tools/startup/measure.py build/test/app/OrvakSE build/test/tools/startup/MinimalQtWindow "${1:-10}"

#!/bin/sh
# The monkey test with a chosen seed and number of events:
#   tools/monkey.sh [SEED] [EVENTS]     (defaults 1 and 100000)
# 100 000 events take about 6 minutes here. It builds build/test first.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test -j2 --target test_app >/dev/null
ORVAK_MONKEY_SEED="${1:-1}" ORVAK_MONKEY_EVENTS="${2:-100000}" QT_QPA_PLATFORM=offscreen \
  build/test/tests/app/test_app --gtest_filter='MainWindowMonkey.*'

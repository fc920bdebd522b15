#!/bin/sh
# Builds the program (installing what it needs) and runs it.
set -e
cd "$(dirname "$0")"
. tools/deps.sh
plx_install_missing
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLX_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target OrvakSE -j2
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "The feeder lengths of the default values (7.1 MHz, dipole 85.3 ft, 450 ohm):"
  build/release/app/OrvakSE --frequency 7.1 --dipole-ft 85.3 --impedance 450
  echo "No display found: run the program under a virtual X server with: xvfb-run -a build/release/app/OrvakSE"
  exit 1
fi
exec build/release/app/OrvakSE

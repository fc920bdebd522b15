#!/bin/sh
# Runs a command in a virtual X server of its own whose screen is the size of
# the program's window:
#   in_xvfb.sh COMMAND [ARGUMENT...]
# The server picks a free display itself (-displayfd) and says which, so
# tests that run side by side never share a display.
set -eu
. "$(dirname "$0")/../support/require_tool.sh"
require_tool Xvfb "Xvfb (Debian package xvfb)"
require_tool xdotool "xdotool (Debian package xdotool)"
require_tool xclip "xclip (Debian package xclip)"
require_tool xwd "xwd (Debian package x11-apps)"
require_tool setxkbmap "setxkbmap (Debian package x11-xkb-utils)"
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 938x510x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -rf "$dir"' EXIT

# The server writes its display number once it accepts connections.
tries=0
until grep -q . "$dir/display"; do
  if ! kill -0 $xvfb 2>/dev/null; then
    echo "Xvfb ended without starting:"
    cat "$dir/xvfb.log"
    exit 1
  fi
  tries=$((tries + 1))
  if [ $tries -gt 400 ]; then
    echo "Xvfb did not start within 20 s"
    exit 1
  fi
  sleep 0.05
done
DISPLAY=":$(head -n 1 "$dir/display")"
export DISPLAY
"$@"

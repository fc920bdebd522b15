#!/bin/sh
# The mouse over the first chart: moving it changes the two read-outs below
# the chart; a drag with the left button moves the white crosshair to the
# pointer.
. "$(dirname "$0")/e2e_lib.sh"
PICTURES="python3 $(dirname "$0")/pictures.py"
WORK=$(mktemp -d)
start_program "$1"
trap 'kill $PROGRAM_PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

screen_says() {  # command expected
  xwd -root -silent > "$WORK/screen.xwd"
  [ "$($PICTURES "$1" "$WORK/screen.xwd")" = "$2" ]
}

readouts_differ_from() {  # digest
  xwd -root -silent > "$WORK/screen.xwd"
  now=$($PICTURES readouts "$WORK/screen.xwd") || return 1
  [ "$now" != "$1" ]
}

# Read-outs: each move to another place inside the data area shows in them.
xdotool mousemove 20 20
wait_for 10 sh -c "xwd -root -silent > '$WORK/screen.xwd' && $PICTURES readouts '$WORK/screen.xwd' > '$WORK/start'"
xdotool mousemove 400 150
wait_for 10 readouts_differ_from "$(cat "$WORK/start")"
$PICTURES readouts "$WORK/screen.xwd" > "$WORK/first"
xdotool mousemove 600 300
wait_for 10 readouts_differ_from "$(cat "$WORK/first")"
echo "the read-outs follow the mouse"

# Drag: the white crosshair starts on the left edge (not drawn); the first
# move with the button held picks it, the next ones move it. A loaded machine
# may deliver quick moves as one, so every poll moves the pointer again.
dragged_to() {  # x y
  xdotool mousemove $(($1 - 1)) "$2"
  xdotool mousemove "$1" "$2"
  screen_says crosshair "$1 $2"
}
wait_for 10 screen_says crosshair "- -"
xdotool mousemove 330 200 mousedown 1
xdotool mousemove 340 205
xdotool mousemove 500 180
wait_for 10 dragged_to 520 240
xdotool mouseup 1
xdotool mousemove 700 100
wait_for 10 readouts_differ_from "$($PICTURES readouts "$WORK/screen.xwd")"
screen_says crosshair "520 240"
echo "the white crosshair followed the drag to 520, 240 and stays there"

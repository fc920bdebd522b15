#!/bin/sh
# The wheel over the first chart zooms it: a notch up moves the labels of
# its horizontal axis (the "40.0" at its right end goes); Ctrl+Z brings them
# back as they were, Ctrl+Y zooms in again and Home goes back to 0..40 m.
. "$(dirname "$0")/e2e_lib.sh"
PICTURES="python3 -S $(dirname "$0")/pictures.py"
WORK=$(mktemp -d)
start_program "$1"
trap 'stop_program; rm -rf "$WORK"' EXIT

labels() {
  xwd -root -silent > "$WORK/screen.xwd" && $PICTURES xlabels "$WORK/screen.xwd"
}

labels_are() {  # digest
  [ "$(labels)" = "$1" ]
}

labels_differ_from() {  # digest
  now=$(labels) || return 1
  [ "$now" != "$1" ]
}

wait_for 10 labels > /dev/null
home=$(labels)
xdotool mousemove 500 200 click 4
wait_for 10 labels_differ_from "$home"
zoomed=$(labels)
echo "a notch up relabelled the axis"

keys ctrl+z
wait_for 10 labels_are "$home"
echo "Ctrl+Z brought the labels back"

keys ctrl+y
wait_for 10 labels_are "$zoomed"
keys Home
wait_for 10 labels_are "$home"
echo "Ctrl+Y zoomed in again, Home went back"

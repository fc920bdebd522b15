#!/bin/sh
# Right-click on the first chart, "Copy to clipboard": the clipboard offers
# the picture as image/png and image/bmp, and the PNG is the whole chart,
# 660 x 395, with the yellow marks of the defaults and without the
# crosshairs, also after a drag has moved the nearest one into the data area.
. "$(dirname "$0")/e2e_lib.sh"
PICTURES="python3 $(dirname "$0")/pictures.py"
WORK=$(mktemp -d)
start_program "$1"
trap 'kill $PROGRAM_PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

# A drag with the left button across the chart's data area.
xdotool mousemove 420 150 mousedown 1 mousemove 460 180 mousemove 500 220 mouseup 1

# Text on the clipboard first, so only the copy can put a picture there.
printf 'empty' | xclip -selection clipboard
wait_for 10 clipboard_offers UTF8_STRING

windows_before=$(visible_windows)
xdotool mousemove 500 200 click 3
wait_for 10 more_visible_windows_than "$windows_before"
xdotool key Down Return
wait_for 10 clipboard_offers image/png
clipboard_offers image/bmp

xclip -o -selection clipboard -t image/png > "$WORK/chart.png"
$PICTURES discs "$WORK/chart.png"
$PICTURES nocrosshairs "$WORK/chart.png"

#!/bin/sh
# The first chart shows the yellow feeder marks of the defaults at 7.1 MHz
# (only the two below 40 m lie in its range), the same after a second "Calc
# single"; the second page shows the reference curve.
. "$(dirname "$0")/e2e_lib.sh"
PICTURES="python3 $(dirname "$0")/pictures.py"
WORK=$(mktemp -d)
OPTIMUM_TAB="406 18"  # the second page's tab
start_program "$1"
trap 'kill $PROGRAM_PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

# Copies the first chart through its popup menu into $WORK/$1, waiting until
# the clipboard holds the picture.
copy_chart() {
  printf 'empty' | xclip -selection clipboard
  xdotool mousemove 500 200 click 3
  sleep 0.3
  xdotool key Down Return
  for _ in $(seq 50); do
    if xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q image/bmp; then
      xclip -selection clipboard -t image/bmp -o > "$WORK/$1"
      return 0
    fi
    sleep 0.2
  done
  echo "no picture on the clipboard"
  exit 1
}

copy_chart first.bmp
$PICTURES discs "$WORK/first.bmp"
click_at $CALC_SINGLE
copy_chart second.bmp
cmp "$WORK/first.bmp" "$WORK/second.bmp"
echo "the marks of the second calculation cover those of the first"

click_at $OPTIMUM_TAB
for _ in $(seq 25); do
  xwd -root -silent > "$WORK/screen.xwd"
  $PICTURES curve "$WORK/screen.xwd" && exit 0
  sleep 0.2
done
exit 1

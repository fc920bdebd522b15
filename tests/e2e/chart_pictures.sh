#!/bin/sh
# The first chart shows the yellow feeder marks of the defaults at 7.1 MHz
# (only the two below 40 m lie in its range), the same after a second "Calc
# single"; the second page shows the reference curve.
. "$(dirname "$0")/e2e_lib.sh"
PICTURES="python3 -S $(dirname "$0")/pictures.py"
WORK=$(mktemp -d)
OPTIMUM_TAB="406 18"  # the second page's tab
start_program "$1"
trap 'stop_program; rm -rf "$WORK"' EXIT

second_page_shows_curve() {
  xwd -root -silent 2>/dev/null > "$WORK/screen.xwd" && $PICTURES curve "$WORK/screen.xwd"
}

copy_first_chart "$WORK/first.bmp"
$PICTURES discs "$WORK/first.bmp"
click_at $CALC_SINGLE
copy_first_chart "$WORK/second.bmp"
cmp "$WORK/first.bmp" "$WORK/second.bmp"
echo "the marks of the second calculation cover those of the first"

click_at $OPTIMUM_TAB
wait_for 10 second_page_shows_curve

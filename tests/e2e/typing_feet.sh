#!/bin/sh
# Typing a dipole length in feet updates the metres on every keystroke, and
# "Calc single" then uses the typed length.
. "$(dirname "$0")/e2e_lib.sh"
start_program "$1"
select_field $FEET_Y
type_text 100
expect_equal "$(field_text $METRES_Y)" "30.48"
click_at $CALC_SINGLE
expect_equal "$(memo_text)" "$DEFAULT_LINES
$LINES_100_FT"
echo "30.48 m, and the list for 100 ft"

#!/bin/sh
# Enter (and the keypad's Enter) clicks the focused button, as Space does.
. "$(dirname "$0")/e2e_lib.sh"
start_program "$1"
# Pressing a button and leaving it before the release focuses it unclicked.
xdotool mousemove $CALC_SINGLE mousedown 1 mousemove 400 300 mouseup 1
keys Return
keys KP_Enter
expect_equal "$(memo_text)" "$DEFAULT_LINES
$DEFAULT_LINES
$DEFAULT_LINES"
echo "two more calculations"

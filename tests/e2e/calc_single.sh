#!/bin/sh
# "Calc single" adds the eight feeder lengths of the defaults to those the
# program listed at start-up.
. "$(dirname "$0")/e2e_lib.sh"
start_program "$1"
click_at $CALC_SINGLE
expect_equal "$(memo_text)" "$DEFAULT_LINES
$DEFAULT_LINES"
echo "sixteen lines of the default values"

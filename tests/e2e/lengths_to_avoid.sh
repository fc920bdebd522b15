#!/bin/sh
# "Show lengths to avoid": checked, "Calc single" draws red bars on the row
# of 7.1 MHz (row 289 of the chart) between the yellow discs; unchecked,
# "Clear graph" and "Calc single" give the discs alone again.
. "$(dirname "$0")/e2e_lib.sh"
PICTURES="python3 -S $(dirname "$0")/pictures.py"
WORK=$(mktemp -d)
LENGTHS_TO_AVOID="840 444"  # the check box right of the read-outs
CLEAR_GRAPH="346 444"       # "Clear graph" below the chart
start_program "$1"
trap 'stop_program; rm -rf "$WORK"' EXIT

click_at $LENGTHS_TO_AVOID
click_at $CALC_SINGLE
copy_first_chart "$WORK/checked.bmp"
$PICTURES avoidbars "$WORK/checked.bmp"

click_at $LENGTHS_TO_AVOID
click_at $CLEAR_GRAPH
click_at $CALC_SINGLE
copy_first_chart "$WORK/unchecked.bmp"
$PICTURES noavoidbars "$WORK/unchecked.bmp"
$PICTURES discs "$WORK/unchecked.bmp"

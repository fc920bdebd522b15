#!/bin/sh
# Typed impedance text that matches no item adds no item: after "300" and
# "500", three steps down end at "600", and "Calc single" uses its feeder.
. "$(dirname "$0")/e2e_lib.sh"
start_program "$1"
click_at $IMPEDANCE
keys ctrl+a
type_text 300
keys Return ctrl+a
type_text 500
keys Return Down Down Down
click_at $IMPEDANCE
keys ctrl+a ctrl+c
expect_equal "$(clipboard)" "600"
click_at $CALC_SINGLE
expect_equal "$(memo_text | tail -n 8)" "$DEFAULT_LINES"
echo "the box ends at 600 and the list shows its lengths"

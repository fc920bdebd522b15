#!/bin/sh
# Tab in the list of feeder lengths moves the focus on and types nothing.
. "$(dirname "$0")/e2e_lib.sh"
start_program "$1"
click_at $MEMO
keys Tab
type_text 7
expect_equal "$(memo_text)" "$DEFAULT_LINES"
echo "the list still holds the eight lengths"

#!/bin/sh
# A letter that can never be part of a number changes nothing.
. "$(dirname "$0")/e2e_lib.sh"
start_program "$1"
expect_equal "$(field_text $FREQ_Y)" "7.100"
keys G
type_text g
expect_equal "$(field_text $FREQ_Y)" "7.100"
echo "the frequency still reads 7.100"

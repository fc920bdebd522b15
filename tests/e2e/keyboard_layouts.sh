#!/bin/sh
# Digits, the decimal separator and the minus sign arrive as the keyboard
# layout types them; a symbol the layout types is refused as that symbol.
#   keyboard_layouts.sh <program> de|fr
. "$(dirname "$0")/e2e_lib.sh"
setxkbmap "$2"
start_program "$1"
select_field $FEET_Y
type_text "45,6"
keys Home minus
expect_equal "$(field_text $FEET_Y)" "-45,6"
expect_equal "$(field_text $METRES_Y)" "-13.90"
# "=" (Shift+0 on a German keyboard) arrives as "=" and is refused: no "+".
select_field $FREQ_Y
type_text "="
expect_equal "$(field_text $FREQ_Y)" "7.100"
echo "layout $2: -45,6 ft as typed, = refused"

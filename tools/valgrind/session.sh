#!/bin/sh
# One scripted session of the real program under valgrind memcheck in a
# virtual X server, then a check of valgrind's report:
#   tools/valgrind/session.sh            (about half a minute once built)
# It builds build/test first; the report stays in build/test/valgrind.log.
# Session: start (the first calculation runs), Calc single, check 7.1 MHz and
# "Calc selected", Increase and Decrease, drag a crosshair on the first chart,
# "Copy to clipboard" from its popup menu, Exit. The check: no invalid read or
# write, no use of an uninitialised value, no bytes definitely lost in our
# code (tools/valgrind/check_log.py; suppressions in tools/valgrind/qt.supp).
set -e
cd "$(dirname "$0")/../.."
if [ -z "${PLX_IN_XVFB:-}" ]; then
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/test -j2 --target OrvakSE >/dev/null
  export PLX_IN_XVFB=1 QT_QPA_PLATFORM=xcb
  exec xvfb-run -a -s "-screen 0 938x510x24" sh "$0" "$@"
fi

. tests/e2e/e2e_lib.sh
E2E_DIR=tests/e2e
LOG=build/test/valgrind.log
SLOW=600  # seconds: valgrind runs the program some 30 times slower

valgrind --tool=memcheck --track-origins=yes --leak-check=full \
  --show-leak-kinds=definite --errors-for-leak-kinds=none --num-callers=30 \
  --suppressions=tools/valgrind/qt.supp --log-file="$LOG" build/test/app/OrvakSE &
PROGRAM_PID=$!
trap 'kill $PROGRAM_PID 2>/dev/null || true' EXIT
wait_for $SLOW window_painted
echo "started"

lines_in_list() {  # count
  click_at $MEMO
  printf '%s' "$CLIPBOARD_MARK" | xclip -selection clipboard
  keys ctrl+a ctrl+c
  wait_for $SLOW clipboard_written
  [ "$(clipboard | grep -c '')" = "$1" ]
}

click_at $CALC_SINGLE
wait_for $SLOW lines_in_list 16
echo "calculated"

click_at 22 222                   # the check box of 7.1 MHz
click_at 196 274                  # "Calc selected"
wait_for $SLOW lines_in_list 25
echo "batch"

click_at 166 364                  # "Increase"
wait_for $SLOW lines_in_list 9
click_at 62 364                   # "Decrease"
wait_for $SLOW lines_in_list 9
echo "stepped"

# Each move waits until the read-outs show it: moves the program has not
# taken yet would reach it as one (Qt compresses queued motion).
readouts() {
  xwd -root -silent | python3 $E2E_DIR/pictures.py readouts -
}
readouts_differ_from() {
  now=$(readouts) || return 1
  [ "$now" != "$1" ]
}
move_to() {  # x y
  before=$(readouts)
  xdotool mousemove "$1" "$2"
  wait_for $SLOW readouts_differ_from "$before"
}
move_to 330 200
xdotool mousedown 1
move_to 340 205
move_to 500 180
move_to 520 240
xdotool mouseup 1
wait_for $SLOW sh -c "xwd -root -silent | python3 $E2E_DIR/pictures.py crosshair - | grep -qx '520 240'"
echo "dragged"

printf 'empty' | xclip -selection clipboard
windows_before=$(visible_windows)
xdotool mousemove 500 200 click 3
wait_for $SLOW more_visible_windows_than "$windows_before"
xdotool key Down Return
wait_for $SLOW clipboard_offers image/png
echo "copied"

click_at 892 489                  # "Exit"
wait_for $SLOW program_ended
trap - EXIT
echo "ended"
python3 tools/valgrind/check_log.py "$LOG"

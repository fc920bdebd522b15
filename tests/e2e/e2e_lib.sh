# Shared steps of the end-to-end tests: the program in a virtual X server
# without a window manager whose screen is exactly the window's size, so the
# centred window sits at (0, 0) and keys go to the window under the pointer.
# Sourced by the test scripts, which run inside in_xvfb.sh.
set -eu
export LC_ALL=C

PROGRAM_PID=""
E2E_DIR=$(dirname "$0")

# Starts the program and waits for its first painted frame: the window is
# then mapped and its event loop running, ready to take input.
start_program() {
  "$1" &
  PROGRAM_PID=$!
  trap stop_program EXIT
  wait_for 20 window_painted
}

window_painted() {
  xwd -root -silent 2>/dev/null | python3 -S "$E2E_DIR/pictures.py" painted -
}

# Ends the program and waits until it has gone.
stop_program() {
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait_for 10 program_ended
}

program_ended() {
  state=$(ps -o stat= -p "$PROGRAM_PID" 2>/dev/null || true)
  [ -z "$state" ] || [ "${state#Z}" != "$state" ]
}

# Input goes to the program in the order it is sent, so what a click or a
# key does has been done before the program answers a later clipboard copy:
# the copies below are where the tests wait.
click_at() {
  xdotool mousemove "$1" "$2" click 1
}

drag() {  # x1 y1 x2 y2
  xdotool mousemove "$1" "$2" mousedown 1 mousemove "$3" "$4" mouseup 1
}

keys() {
  xdotool key --delay 60 "$@"
}

type_text() {
  xdotool type --delay 80 "$1"
}

# What the clipboard holds until the program writes it.
CLIPBOARD_MARK="clipboard not yet written"

clipboard() {
  xclip -o -selection clipboard
}

# Presses the keys that copy something and prints the clipboard once the
# program has written it.
copy_with_keys() {
  printf '%s' "$CLIPBOARD_MARK" | xclip -selection clipboard
  keys "$@"
  wait_for 10 clipboard_written
  clipboard
}

clipboard_written() {
  text=$(timeout 1 xclip -o -selection clipboard 2>/dev/null) || return 1
  [ "$text" != "$CLIPBOARD_MARK" ]
}

# Compares two texts; prints both when they differ.
expect_equal() {
  if [ "$1" != "$2" ]; then
    echo "expected:"; echo "$2"; echo "got:"; echo "$1"
    exit 1
  fi
}

# The list of the defaults (7.1 MHz, 85.30 ft, 450 ohm).
DEFAULT_LINES="13.36
32.37
51.39
70.41
89.43
108.44
127.46
146.48"

# Screen positions of the window's controls (the window's client area
# starts at (0, 0)).
CALC_SINGLE="196 132"   # "Calc single" in "Calculate single value"
MEMO="124 456"          # the list of feeder lengths
FEET_BOX_LEFT=87        # value box of the feet field: x 85..166
FEET_BOX_RIGHT=164
FEET_Y=70
METRES_Y=101
FREQ_Y=39
# The eight lines of the defaults with a 100 ft dipole.
LINES_100_FT="11.69
30.71
49.73
68.74
87.76
106.78
125.80
144.82"

# Selects the whole text of a field by dragging across its value box.
select_field() {
  drag $FEET_BOX_LEFT "$1" $FEET_BOX_RIGHT "$1"
}

# The text of a field, copied with Ctrl+C.
field_text() {
  select_field "$1"
  copy_with_keys ctrl+c
}

# The list's text, read through the clipboard.
memo_text() {
  click_at $MEMO
  copy_with_keys ctrl+a ctrl+c
}

# Runs a command again and again until it succeeds, at most SECONDS long
# (whole seconds); the test fails if it never does.
wait_for() {  # seconds command...
  limit=$1
  shift
  deadline=$(($(date +%s%N) + limit * 1000000000))
  until "$@"; do
    if [ "$(date +%s%N)" -ge "$deadline" ]; then
      echo "no success within ${limit}s: $*"
      exit 1
    fi
    sleep 0.05
  done
}

# Whether the clipboard holds exactly N lines; a program that does not answer
# the clipboard request counts as no.
clipboard_has_lines() {
  [ "$(timeout 0.5 xclip -o -selection clipboard 2>/dev/null | grep -c '')" = "$1" ]
}

IMPEDANCE="110 132"     # the edit line of the impedance box

# Whether the clipboard offers the type (image/png, text/plain, ...); a
# program that does not answer the request counts as no.
clipboard_offers() {
  timeout 0.5 xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -qx "$1"
}

# The number of the program's visible windows (a popup menu is one more).
visible_windows() {
  xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -c '' || true
}

more_visible_windows_than() {
  [ "$(visible_windows)" -gt "$1" ]
}

# Copies the first chart through its popup menu ("Copy to clipboard") into
# the file $1, waiting until the menu is open and then until the clipboard
# holds the picture.
copy_first_chart() {
  printf '%s' "$CLIPBOARD_MARK" | xclip -selection clipboard
  xdotool mousemove 500 200 click 3
  wait_for 10 menu_open
  xdotool key Down Return
  wait_for 10 clipboard_has_picture
  xclip -selection clipboard -t image/bmp -o > "$1"
}

menu_open() {
  xwd -root -silent 2>/dev/null | python3 -S "$E2E_DIR/pictures.py" menu -
}

clipboard_has_picture() {
  timeout 1 xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q image/bmp
}
